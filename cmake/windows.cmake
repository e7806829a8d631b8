# The Windows program, its skin library and its tests (run under Wine).
set(ORVEX_WIN_FLAGS -fexec-charset=GBK -Wall -Wextra)
set(ORVEX_WIN_LIBS comctl32 comdlg32 shell32 ole32 oleaut32 uuid gdi32 user32 advapi32 shlwapi windowscodecs)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
# A non-static MinGW program does not start under Wine: link everything in.
add_link_options(-static -static-libgcc -static-libstdc++)

if(EXISTS ${CMAKE_SOURCE_DIR}/skinlib/CMakeLists.txt)
  add_subdirectory(skinlib)
endif()

add_library(orvex_core STATIC ${ORVEX_CORE_SOURCES})
target_include_directories(orvex_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(orvex_core PUBLIC ${ORVEX_WIN_FLAGS})

file(GLOB ORVEX_WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
list(FILTER ORVEX_WIN_SOURCES EXCLUDE REGEX "/src/app/main\\.cpp$")
add_library(orvex_win STATIC ${ORVEX_WIN_SOURCES})
target_link_libraries(orvex_win PUBLIC orvex_core ${ORVEX_WIN_LIBS})

# Resources (manifest, carried files) go into every program that runs the
# tool's code, tests included; an object library keeps them from being dropped.
file(GLOB ORVEX_RESOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.rc)
add_library(orvex_resources OBJECT ${ORVEX_RESOURCES})
target_include_directories(orvex_resources PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR})
if(TARGET SkinH_EL)
  add_dependencies(orvex_resources SkinH_EL)
endif()

add_executable(orvex WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp $<TARGET_OBJECTS:orvex_resources>)
target_link_libraries(orvex PRIVATE orvex_win)

# GoogleTest from Debian's source package.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Test support shared by the Windows tests (scripted prompts, fixtures).
file(GLOB ORVEX_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/support/*.cpp)
add_library(orvex_test_support STATIC ${ORVEX_TEST_SUPPORT})
target_include_directories(orvex_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/windows ${CMAKE_BINARY_DIR})
target_link_libraries(orvex_test_support PUBLIC orvex_win gtest)

# One test program per subsystem: tests/windows/<name>/ gives tests_<name>.exe.
file(GLOB ORVEX_TEST_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*)
foreach(dir ${ORVEX_TEST_DIRS})
  get_filename_component(name ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR name STREQUAL "support" OR name STREQUAL "fixtures")
    continue()
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT srcs)
    continue()
  endif()
  add_executable(tests_${name} ${srcs} $<TARGET_OBJECTS:orvex_resources>)
  target_link_libraries(tests_${name} PRIVATE orvex_test_support)
  add_dependencies(tests_${name} orvex)
  add_test(NAME windows_${name} COMMAND tests_${name})
  set_tests_properties(windows_${name} PROPERTIES TIMEOUT 600
    ENVIRONMENT "ORVEX_EXE=$<TARGET_FILE:orvex>;ORVEX_SOURCE_DIR=${CMAKE_SOURCE_DIR};ORVEX_BINARY_DIR=${CMAKE_BINARY_DIR}")
endforeach()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/windows/CMakeLists.txt)
  add_subdirectory(tests/windows)
endif()

# The benchmark program and its modules (scripts/bench.sh).
if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()

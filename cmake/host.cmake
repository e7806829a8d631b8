# Native build of the portable core: its tests run with AddressSanitizer and
# UBSan; with ORVEX_FUZZ, the libFuzzer targets are built with clang.
set(ORVEX_SAN -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

if(ORVEX_FUZZ)
  file(GLOB ORVEX_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(src ${ORVEX_FUZZ_TARGETS})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} ${ORVEX_CORE_SOURCES})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -g)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
  return()
endif()

add_library(orvex_core STATIC ${ORVEX_CORE_SOURCES})
target_include_directories(orvex_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
# Texts are GBK byte strings at run time, whatever the source encoding.
target_compile_options(orvex_core PUBLIC -fexec-charset=GBK -Wall -Wextra ${ORVEX_SAN} -g)
target_link_options(orvex_core PUBLIC ${ORVEX_SAN})

find_package(GTest REQUIRED)
file(GLOB ORVEX_HOST_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*/*.cpp ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(host_tests ${ORVEX_HOST_TESTS})
target_link_libraries(host_tests PRIVATE orvex_core GTest::gtest GTest::gtest_main)
add_test(NAME host_tests COMMAND host_tests)

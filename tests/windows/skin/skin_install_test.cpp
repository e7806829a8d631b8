// The tool's side of the skin: the carried files, writing the library into
// the program folder, and the one call of its entry. The call is watched
// through a stand-in library of the same name that records its arguments.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/probe/attach_probe.h"
#include "skin_test_support.h"
#include "support/scripted_prompts.h"

namespace orvex::test {
namespace {

class SkinInstallTest : public ::testing::Test {
protected:
    std::string LibraryFile() const { return folder.File("SkinH_EL.dll"); }

    void PlaceProbe() {
        ASSERT_TRUE(CopyFileA(ProbeLibraryPath().c_str(), LibraryFile().c_str(), FALSE)) << ProbeLibraryPath();
    }

    // The last call the stand-in received (it must be loaded).
    ProbeCall LastCall() {
        ProbeCall call = {};
        HMODULE probe = GetModuleHandleA(LibraryFile().c_str());
        EXPECT_NE(probe, nullptr) << "not loaded: " << LibraryFile();
        if (!probe) return call;
        const auto read = reinterpret_cast<ReadProbe>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeLastCall")));
        EXPECT_NE(read, nullptr);
        if (read) read(&call);
        return call;
    }

    TempFolder folder;
    ProgramFolderScope scope{folder.path()};
    ScriptedPrompts prompts;
};

TEST_F(SkinInstallTest, CarriesTheBuiltLibraryAndTheSkinTable) {
    const std::string image = CarriedResource(ORVEX_SKIN_LIBRARY_RESOURCE);
    ASSERT_GE(image.size(), 2u);
    EXPECT_EQ(image.substr(0, 2), "MZ");
    EXPECT_EQ(image, ReadFileBytes(BuiltLibraryPath()));
    for (int n = 1; n <= skin::kSkinCount; ++n) {
        const std::string carried = CarriedResource(ORVEX_SKIN_RESOURCE_BASE + n);
        EXPECT_EQ(carried.substr(0, 4), ".SHE") << n;
        EXPECT_EQ(carried, SkinBytes(n)) << "skin " << n;
    }
}

TEST_F(SkinInstallTest, HandsTheLibraryExactlyTheSkinOrNothing) {
    PlaceProbe();
    const std::string probeBytes = ReadFileBytes(LibraryFile());
    for (int number : {13, 1, 33, 0, 34, -1}) {
        InstallSkin(number);
        const ProbeCall call = LastCall();
        EXPECT_EQ(call.calls, 1) << number;
        EXPECT_TRUE(call.reservedIsEmptyText) << number;
        EXPECT_TRUE(call.zeros) << number;
        if (number >= 1 && number <= skin::kSkinCount) {
            const std::string expected = SkinBytes(number);
            EXPECT_FALSE(call.addressWasNull) << number;
            EXPECT_EQ(call.count, static_cast<int>(expected.size())) << number;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(call.bytes), static_cast<size_t>(call.copied)), expected)
                << number;
        } else {
            EXPECT_TRUE(call.addressWasNull) << number;
            EXPECT_EQ(call.count, 0) << number;
        }
        UnloadSkinLibrary();
        EXPECT_EQ(GetModuleHandleA(LibraryFile().c_str()), nullptr) << "still loaded after " << number;
    }
    // The entry was there, so nothing was written over it.
    EXPECT_EQ(ReadFileBytes(LibraryFile()), probeBytes);
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SkinInstallTest, LoadsByNameWhenTheProgramFolderHasNoLibrary) {
    // The program folder's entry is a folder; the system's search finds the
    // library in the current directory.
    ASSERT_TRUE(CreateDirectoryA(LibraryFile().c_str(), nullptr));
    TempFolder elsewhere;
    const std::string found = elsewhere.File("SkinH_EL.dll");
    ASSERT_TRUE(CopyFileA(ProbeLibraryPath().c_str(), found.c_str(), FALSE));
    // A start of the tool from the build folder leaves its library beside
    // this test program, and the search looks there first.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string besideTests = self;
    besideTests = besideTests.substr(0, besideTests.find_last_of('\\')) + "\\SkinH_EL.dll";
    const bool shadowed = FileExists(besideTests);
    char former[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, former);
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));

    InstallSkin(13);
    const bool loaded = GetModuleHandleA((shadowed ? besideTests : found).c_str()) != nullptr;
    ProbeCall call = {};
    if (!shadowed) {
        const auto read = reinterpret_cast<ReadProbe>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(found.c_str()), "ProbeLastCall")));
        if (read) read(&call);
    }
    UnloadSkinLibrary();
    SetCurrentDirectoryA(former);

    EXPECT_TRUE(loaded);
    if (!shadowed) {
        EXPECT_EQ(call.calls, 1);
        EXPECT_EQ(call.count, static_cast<int>(SkinBytes(13).size()));
    }
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_TRUE(GetFileAttributesA(LibraryFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SkinInstallTest, WritesTheLibraryHiddenAndNothingElse) {
    TempFolder scratch;
    const DWORD hiddenAlone = HiddenAloneAsReported(scratch);
    ASSERT_TRUE(hiddenAlone & FILE_ATTRIBUTE_HIDDEN);
    EnsureSkinLibrary();
    EXPECT_EQ(GetFileAttributesA(LibraryFile().c_str()), hiddenAlone);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), ReadFileBytes(BuiltLibraryPath()));
}

TEST_F(SkinInstallTest, AnyExistingEntryIsLeftAsItIs) {
    struct Case {
        const char* name;
        bool folder;
        std::string content;
        DWORD attributes;
    };
    const Case cases[] = {
        {"visible file that is no library", false, "not a library", FILE_ATTRIBUTE_NORMAL},
        {"empty read-only file", false, "", FILE_ATTRIBUTE_READONLY},
        {"folder", true, "", FILE_ATTRIBUTE_DIRECTORY},
    };
    for (const Case& c : cases) {
        TempFolder place;
        App().programDirectory = place.path();
        const std::string entry = place.File("SkinH_EL.dll");
        if (c.folder) {
            ASSERT_TRUE(CreateDirectoryA(entry.c_str(), nullptr)) << c.name;
        } else {
            ASSERT_TRUE(WriteFileBytes(entry, c.content)) << c.name;
            SetFileAttributesA(entry.c_str(), c.attributes);
        }
        const DWORD before = GetFileAttributesA(entry.c_str());

        EnsureSkinLibrary();

        EXPECT_EQ(GetFileAttributesA(entry.c_str()), before) << c.name;
        if (!c.folder) {
            EXPECT_EQ(ReadFileBytes(entry), c.content) << c.name;
        }
        SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(SkinInstallTest, AFolderThatCannotBeWrittenIsNotReported) {
    App().programDirectory = folder.File("no such folder");
    EnsureSkinLibrary();
    EXPECT_FALSE(FileExists(folder.File("no such folder")));
    EXPECT_TRUE(prompts.boxes.empty());
}

} // namespace
} // namespace orvex::test

#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include "common/handles.h"
#include "export/export_icon.h"
#include "export/ico_reader.h"
#include "export/module_reader.h"
#include "export_test_util.h"

namespace orvex::test {
namespace {

class ExportIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        icons3 = Fixture("icons3.dll");
        ASSERT_TRUE(CopyFileA(icons3.c_str(), dir.File("A.DLL").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(icons3.c_str(), dir.File("a.cpl").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(icons3.c_str(), dir.File("a.icl").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(Fixture("three_images.ico").c_str(), dir.File("T.ICO").c_str(), FALSE));
        ASSERT_TRUE(WriteFileBytes(dir.File("text.dll"), "this is text, not a module"));
        ASSERT_TRUE(WriteFileBytes(dir.File("text.ico"), "this is text, not an icon"));
    }
    TempFolder dir;
    std::string icons3;
};

const Bytes kEmptyIco = {0, 0, 1, 0, 0, 0};

// Mode 0: what comes back and what lands in the destination file.
TEST_F(ExportIconTest, ToFiles) {
    const Bytes classic = samples::MakeIco(samples::ClassicImages());
    const Bytes modern = samples::MakeIco(samples::ModernImages());
    const Bytes empty;  // no file at all
    struct Case {
        const char* what;
        std::string source;
        std::string destination;  // a name in the test folder, or "" for none
        int n;
        int result;
        const Bytes* file;     // the expected file, or nullptr for "some file of `size` bytes"
        size_t size;
    };
    const std::string a = dir.File("A.DLL");
    const Case cases[] = {
        {"group 3 of a module as .ico", icons3, "x.ico", 3, 3, &modern, 0},
        {"capital .ICO destination", icons3, "x.ICO", 1, 3, &classic, 0},
        {"n 0 is the first group", icons3, "x.ico", 0, 3, &classic, 0},
        {"n -3 is the first group", icons3, "x.ico", -3, 3, &classic, 0},
        {".Bmp: the first image's bitmap", icons3, "x.Bmp", 1, 3, nullptr, 630},
        {".bmp of a PNG-first group", icons3, "x.bmp", 3, 3, nullptr, 14 + 40 + 256 * 256 * 4},
        {"capital .DLL source", a, "x.ico", 1, 3, &classic, 0},
        {".icl source", dir.File("a.icl"), "x.ico", 2, 3, nullptr, 6 + 32 + 4264 + 1128},
        {"n past the count", icons3, "x.ico", 4, 0, &empty, 0},
        {".png destination has no writer", icons3, "x.png", 1, 0, &empty, 0},
        {"empty destination", icons3, "", 1, 0, &empty, 0},
        {"destination folder missing", icons3, "no\\x.ico", 1, 0, &empty, 0},
        {".cpl is no source kind", dir.File("a.cpl"), "x.ico", 1, 0, &empty, 0},
        {"quoted source", "\"" + icons3 + "\"", "x.ico", 1, 0, &empty, 0},
        {"a text file named .dll", dir.File("text.dll"), "x.ico", 1, 0, &empty, 0},
        {"an .ico source", dir.File("T.ICO"), "x.ico", 1, 1, &classic, 0},
        {"an .ico source, n 2", dir.File("T.ICO"), "x.ico", 2, 0, &empty, 0},
        {"a missing .ico", dir.File("missing.ico"), "x.ico", 1, 0, &empty, 0},
        {"a missing .ico, n 2", dir.File("missing.ico"), "x.ico", 2, 0, &empty, 0},
        {"a text file named .ico", dir.File("text.ico"), "x.ico", 1, 0, &empty, 0},
        {"a group naming a missing image", Fixture("broken.dll"), "x.ico", 2, 0, &empty, 0},
        {"a group with no images as .ico", Fixture("broken.dll"), "x.ico", 5, 6, &kEmptyIco, 0},
        {"a group with no images as .bmp", Fixture("broken.dll"), "x.bmp", 5, 0, &empty, 0},
    };
    for (const Case& c : cases) {
        TempFolder out;
        const std::string destination = c.destination.empty() ? "" : out.File(c.destination);
        EXPECT_EQ(ExportIcon(c.source, 0, destination, c.n), c.result) << c.what;
        if (destination.empty()) continue;
        if (c.file == &empty) {
            EXPECT_FALSE(FileExists(destination)) << c.what;
        } else if (c.file) {
            EXPECT_EQ(FileBytes(destination), *c.file) << c.what;
        } else {
            EXPECT_EQ(FileBytes(destination).size(), c.size) << c.what;
        }
    }
}

// Mode 1 and the mode defaults: the first image of the group on the clipboard.
TEST_F(ExportIconTest, ToTheClipboard) {
    struct Case {
        const char* what;
        int mode;  // -100: omitted
        std::string source;
        int n;
        int result;
        size_t block;  // 0: the clipboard is left alone
    };
    const Case cases[] = {
        {"mode omitted", -100, icons3, 1, 3, 744},
        {"mode 5", 5, icons3, 1, 3, 744},
        {"mode -1", -1, icons3, 1, 3, 744},
        {"mode 1, group 2", 1, icons3, 2, 3, 4264},
        {"mode 1, PNG first", 1, icons3, 3, 3, 40 + 256 * 256 * 4 + 32 * 256},
        {"an .ico source", 1, dir.File("T.ICO"), 1, 1, 744},
        {"n past the count", 1, icons3, 4, 0, 0},
        {"a group with no images", 1, Fixture("broken.dll"), 5, 0, 0},
        {"a missing .ico", 1, dir.File("missing.ico"), 1, 0, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(PutClipboardText("before"));
        const int r = c.mode == -100 ? ExportIcon(c.source) : ExportIcon(c.source, c.mode, "", c.n);
        EXPECT_EQ(r, c.result) << c.what;
        if (c.block == 0) {
            EXPECT_EQ(ClipboardText(), "before") << c.what;
            continue;
        }
        const Bytes block = ClipboardDib();
        EXPECT_GE(block.size(), c.block) << c.what;
        EXPECT_EQ(Le32At(block, 0), 40u) << c.what;
    }
    // A destination given in mode 1 is not written.
    ASSERT_EQ(ExportIcon(icons3, 1, dir.File("ignored.ico"), 1), 3);
    EXPECT_FALSE(FileExists(dir.File("ignored.ico")));
}

// Every icon group of the system's shell32.dll exports and reads back with
// its images intact.
TEST(ExportIconSystemTest, EveryShell32GroupRoundTrips) {
    const std::string shell32 = "C:\\windows\\system32\\shell32.dll";
    int count = 0;
    {
        Module module(LoadLibraryExA(shell32.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(module);
        count = FindIconGroupName(module.get(), 1).count;
    }
    const UINT shellCount = static_cast<UINT>(reinterpret_cast<UINT_PTR>(
        ExtractIconA(GetModuleHandleA(nullptr), shell32.c_str(), static_cast<UINT>(-1))));
    EXPECT_EQ(static_cast<UINT>(count), shellCount);
    ASSERT_GT(count, 100);

    TempFolder dir;
    for (int n = 1; n <= count; ++n) {
        const std::string path = dir.File("g" + std::to_string(n) + ".ico");
        ASSERT_EQ(ExportIcon(shell32, 0, path, n), count) << n;
        std::optional<IconGroup> source;
        {
            Module module(LoadLibraryExA(shell32.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
            source = ReadModuleIconGroup(shell32, FindIconGroupName(module.get(), n).name);
        }
        const std::optional<IconGroup> written = ReadIcoFile(path);
        ASSERT_TRUE(source && written) << n;
        ASSERT_EQ(written->images.size(), source->images.size()) << n;
        for (size_t i = 0; i < source->images.size(); ++i) {
            EXPECT_EQ(written->images[i].bytes, AsWrittenInIco(source->images[i].bytes)) << n << "/" << i;
            EXPECT_EQ(written->images[i].width, source->images[i].width) << n << "/" << i;
        }
    }
}

} // namespace
} // namespace orvex::test

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "fixtures/icon_samples.h"
#include "loading/icon_loader.h"
#include "support/main_window_fixture.h"
#include "support/test_registry.h"

namespace orvex::test {
namespace {

const char kShell32[] = "C:\\windows\\system32\\shell32.dll";

// A one-image 32 x 32, 32-bit .ico file.
std::string SmallIcoFile() {
    samples::Dib dib;
    dib.bitCount = 32;
    return samples::AsString(samples::MakeIco({samples::MakeDib(dib)}));
}

class LoadTest : public MainWindowTest {
protected:
    IconListView& list() { return window->iconList(); }
    int ImageCount() { return ImageList_GetImageCount(list().ImageList()); }
    std::string status() { return window->statusLine().Text(); }
};

TEST_F(LoadTest, ModuleGivesOneItemPerIconInOrder) {
    const int n = CountIcons(kShell32);
    ASSERT_GT(n, 3);
    LoadIconsFromFile(kShell32);
    ASSERT_EQ(list().ItemCount(), n);
    for (int i = 0; i < n; ++i) EXPECT_EQ(list().ItemValue(i), i + 1);
    EXPECT_EQ(window->Caption(), "Orvex - Icon Extraction Tool [shell32.dll]");
    EXPECT_EQ(status(), "当前选中第0个图标,共" + std::to_string(n) + "个");
    EXPECT_EQ(App().CurrentSourceFile, kShell32);
    EXPECT_EQ(ImageCount(), 1 + n);  // after the design image
}

TEST_F(LoadTest, IcoFileGivesOneItem) {
    TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("one.ico"), SmallIcoFile()));
    LoadIconsFromFile(dir.File("one.ico"));
    ASSERT_EQ(list().ItemCount(), 1);
    EXPECT_EQ(list().ItemValue(0), 1);
    EXPECT_EQ(status(), "当前选中第0个图标,共1个");
}

TEST_F(LoadTest, FileWithoutIconsShowsItsTypesIcon) {
    TempFolder dir;
    TestFileType type(".orvextxt", "OrvexTest.Text", std::string(kShell32) + ",3");
    ASSERT_TRUE(WriteFileBytes(dir.File("notes.orvextxt"), "hello"));
    LoadIconsFromFile(dir.File("notes.orvextxt"));
    ASSERT_EQ(list().ItemCount(), 1);
    EXPECT_EQ(list().ItemValue(0), 0);
    EXPECT_EQ(window->Caption(), "Orvex - Icon Extraction Tool [notes.orvextxt]");
    EXPECT_EQ(status(), "当前选中第0个图标,共1个");
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(LoadTest, UnreadableFileReportsTheOpenFailure) {
    TempFolder dir;
    struct Case {
        const char* name;
        std::string path;
        std::string shown;  // the display name in the message
    };
    ASSERT_TRUE(WriteFileBytes(dir.File("plain.orvexunreg"), "text"));
    const Case cases[] = {
        {"unregistered type", dir.File("plain.orvexunreg"), "plain.orvexunreg"},
        {"missing file", dir.File("missing.orvexunreg"), "missing.orvexunreg"},
        {"path ending in a backslash", dir.path() + "\\", ""},
        {"unreadable shortcut", dir.File("nothing.lnk"), ""},
    };
    for (const Case& c : cases) {
        prompts.boxes.clear();
        LoadIconsFromFile(kShell32);  // something on screen first
        LoadIconsFromFile(c.path);
        const std::string message = "打开文件[" + c.shown + "]失败!";
        ASSERT_EQ(prompts.boxes.size(), 1u) << c.name;
        EXPECT_EQ(prompts.boxes[0].text, message) << c.name;
        EXPECT_EQ(prompts.boxes[0].icon, 16) << c.name;
        EXPECT_EQ(prompts.boxes[0].title, "Pimbo提示：") << c.name;
        EXPECT_EQ(window->Caption(), "Orvex - Icon Extraction Tool") << c.name;
        EXPECT_EQ(status(), message) << c.name;
        EXPECT_EQ(list().ItemCount(), 0) << c.name;
    }
    EXPECT_EQ(App().CurrentSourceFile, "");  // the unreadable shortcut's empty target
    LoadIconsFromFile(dir.File("missing.orvexunreg"));
    EXPECT_EQ(App().CurrentSourceFile, dir.File("missing.orvexunreg"));
}

TEST_F(LoadTest, SecondLoadKeepsEarlierImages) {
    TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("one.ico"), SmallIcoFile()));
    LoadIconsFromFile(dir.File("one.ico"));
    ASSERT_EQ(ImageCount(), 2);
    LoadIconsFromFile(dir.File("one.ico"));
    EXPECT_EQ(list().ItemCount(), 1);
    EXPECT_EQ(ImageCount(), 3);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 0;
    SendMessageW(list().hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 2);  // the new image, after the earlier ones
}

TEST_F(LoadTest, ShortcutIsFollowedToItsTarget) {
    TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("one.ico"), SmallIcoFile()));
    ASSERT_TRUE(MakeShortcut(dir.File("link.lnk"), dir.File("one.ico")));
    LoadIconsFromFile(dir.File("link.lnk"));
    EXPECT_EQ(App().CurrentSourceFile, dir.File("one.ico"));
    EXPECT_EQ(window->Caption(), "Orvex - Icon Extraction Tool [one.ico]");
    EXPECT_EQ(list().ItemCount(), 1);
}

TEST_F(LoadTest, ButtonsLoad) {
    // Browse: cancelled changes nothing; confirmed loads the chosen file.
    TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir.File("one.ico"), SmallIcoFile()));
    prompts.AnswerFileDialog("");
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(kIdBrowse, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->browseButton().hwnd()));
    EXPECT_EQ(list().ItemCount(), 0);
    EXPECT_EQ(window->Caption(), "Zelvar ico图标提取器");
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_EQ(prompts.dialogs[0].settings.title, "打开资源文件图标");
    EXPECT_FALSE(prompts.dialogs[0].settings.save);
    EXPECT_EQ(prompts.dialogs[0].settings.filter,
              "所有文件(*.*)|*.*|运行文件(*.exe)|*.exe|动态链接库(*.dll)|*.dll|图标库(*.icl)|*.icl|图标文件(*.ico)|*.ico");

    prompts.AnswerFileDialog(dir.File("one.ico"));
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(kIdBrowse, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->browseButton().hwnd()));
    EXPECT_EQ(list().ItemCount(), 1);

    // System icons: the fixed path, which Wine keeps at C:\windows.
    SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(kIdSystemIcons, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->systemIconsButton().hwnd()));
    EXPECT_EQ(App().CurrentSourceFile, "C:\\WINDOWS\\system32\\shell32.dll");
    EXPECT_EQ(list().ItemCount(), CountIcons(kShell32));
    EXPECT_EQ(list().ItemCount(), 184);
}

} // namespace
} // namespace orvex::test

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "export/commands.h"
#include "export/export_icon.h"
#include "export/export_test_util.h"
#include "loading/icon_loader.h"
#include "support/main_window_fixture.h"
#include "support/test_registry.h"

namespace orvex::test {
namespace {

class CommandsTest : public MainWindowTest {
protected:
    void Load(const std::string& path) {
        LoadIconsFromFile(path);
        prompts.boxes.clear();
    }
    void Select(int position) {
        ListView_SetItemState(window->iconList().hwnd(), position, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
    // One box was shown, with exactly this text, icon and title.
    void ExpectBox(const std::string& text, int icon, const std::string& title) {
        ASSERT_EQ(prompts.boxes.size(), 1u) << text;
        EXPECT_EQ(prompts.boxes[0].text, text);
        EXPECT_EQ(prompts.boxes[0].icon, icon);
        EXPECT_EQ(prompts.boxes[0].title, title);
        prompts.boxes.clear();
    }
    // The menu item, chosen the way the popup menu hands it to the window.
    void Choose(int id) { SendMessageW(window->hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    // An .ico export of `group` of the fixture module, made directly.
    Bytes Reference(const std::string& module, int group) {
        const std::string path = scratch.File("reference.ico");
        EXPECT_NE(ExportIcon(module, 0, path, group), 0);
        return FileBytes(path);
    }

    TempFolder scratch;
};

TEST_F(CommandsTest, SaveSelectedAsIcoBmpAndPng) {
    const std::string module = Fixture("icons3.dll");
    Load(module);
    ASSERT_EQ(window->iconList().ItemCount(), 3);
    Select(2);
    TempFolder out;

    prompts.AnswerFileDialog(out.File("x.ico"));
    Choose(kIdMenuSave);
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(FileBytes(out.File("x.ico")), Reference(module, 3));
    EXPECT_NE(FileBytes(out.File("x.ico")), Reference(module, 1));

    // The dialog was set up before it opened: title, filter, kind, suggestion.
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    const FileDialogSettings& shown = prompts.dialogs[0].settings;
    EXPECT_EQ(shown.title, "保存图标文件");
    EXPECT_EQ(shown.filter, "图标文件(*.ico)|*.ico|图片文件(*.bmp)|*.bmp");
    EXPECT_TRUE(shown.save);
    EXPECT_EQ(shown.defaultExt, "ico");
    EXPECT_EQ(shown.fileName, "icons3");
    EXPECT_TRUE(shown.flags & OFN_OVERWRITEPROMPT);

    // .bmp: the group's first image as a bitmap file.
    prompts.AnswerFileDialog(out.File("x.bmp"));
    Choose(kIdMenuSave);
    EXPECT_TRUE(prompts.boxes.empty());
    const Bytes bmp = FileBytes(out.File("x.bmp"));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    // The suggestion is made afresh: a confirmed path never comes back.
    EXPECT_EQ(prompts.dialogs[1].settings.fileName, "icons3");

    // A kind with no writer is a failure the user is told about.
    prompts.AnswerFileDialog(out.File("x.png"));
    Choose(kIdMenuSave);
    ExpectBox("保存选中图标失败!", 16, "Pimbo提示：");
    EXPECT_FALSE(FileExists(out.File("x.png")));

    // Cancelled: nothing written, nothing said.
    prompts.AnswerFileDialog("");
    Choose(kIdMenuSave);
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(CommandsTest, SuggestionForALoadedShortcutIsItsTargetsName) {
    ASSERT_TRUE(MakeShortcut(scratch.File("My Icons.lnk"), Fixture("icons3.dll")));
    Load(scratch.File("My Icons.lnk"));
    Select(0);
    prompts.AnswerFileDialog("");
    Choose(kIdMenuSave);
    ASSERT_EQ(prompts.dialogs.size(), 1u);
    EXPECT_EQ(prompts.dialogs[0].settings.fileName, "icons3");
}

TEST_F(CommandsTest, SaveAllWritesNumberedFiles) {
    const std::string module = Fixture("icons3.dll");
    Load(module);
    TempFolder out;
    prompts.AnswerFolder(out.path());
    Choose(kIdMenuSaveAll);
    ExpectBox("保存列表图标成功,没有保存失败。", 64, "Dralo提示：");
    ASSERT_EQ(prompts.folderPrompts.size(), 1u);
    EXPECT_EQ(prompts.folderPrompts[0], "请选择保存全部图标的文件夹");
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(FileBytes(out.File("Kestu" + std::to_string(i) + ".ico")), Reference(module, i)) << i;
    }
}

TEST_F(CommandsTest, SaveAllIntoADriveRoot) {
    Load(Fixture("icons3.dll"));
    prompts.AnswerFolder("C:\\");  // the browser gives a root with its "\"
    Choose(kIdMenuSaveAll);
    ExpectBox("保存列表图标成功,没有保存失败。", 64, "Dralo提示：");
    for (int i = 1; i <= 3; ++i) {
        const std::string file = "C:\\Kestu" + std::to_string(i) + ".ico";
        EXPECT_TRUE(FileExists(file)) << file;
        DeleteFileA(file.c_str());
    }
}

TEST_F(CommandsTest, SaveAllOutcomes) {
    Load(Fixture("icons3.dll"));

    // A folder already named Kestu2.ico cannot be written over.
    TempFolder partial;
    ASSERT_TRUE(CreateDirectoryA(partial.File("Kestu2.ico").c_str(), nullptr));
    prompts.AnswerFolder(partial.path());
    Choose(kIdMenuSaveAll);
    ExpectBox("保存成功2个,失败1个。", 64, "Dralo提示：");

    prompts.AnswerFolder(scratch.File("no such folder"));
    Choose(kIdMenuSaveAll);
    ExpectBox("保存列表图标失败!", 16, "Dralo提示：");

    // Cancelled browser: no message.
    prompts.AnswerFolder("");
    Choose(kIdMenuSaveAll);
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(CommandsTest, SaveAllOnAnEmptyListWarns) {
    Choose(kIdMenuSaveAll);
    ExpectBox("请浏览或拖进文件获取图标后再保存!", 48, "提示：");
    EXPECT_TRUE(prompts.folderPrompts.empty());
}

TEST_F(CommandsTest, CopyPutsTheFirstImageOnTheClipboard) {
    Load(Fixture("icons3.dll"));
    Select(0);
    ASSERT_TRUE(PutClipboardText("before"));
    Choose(kIdMenuCopy);
    ExpectBox("已复制选中图标到剪切板 ( Ctrl + V )", 64, "提示：");

    // Group 1's first image is three_images.ico's first: 744 bytes at 54.
    const Bytes ico = FileBytes(Fixture("three_images.ico"));
    ASSERT_GE(ico.size(), 54u + 744u);
    Bytes expected(ico.begin() + 54, ico.begin() + 54 + 744);
    const Bytes dib = ClipboardDib();
    ASSERT_EQ(dib.size(), 744u);
    EXPECT_EQ(dib[8], 32);  // biHeight halved
    expected[8] = 32;
    EXPECT_EQ(dib, expected);
}

TEST_F(CommandsTest, FileShownWithItsTypesIcon) {
    const std::string module = Fixture("icons3.dll");
    TestFileType type(".orvexcmd", "OrvexTest.Command", module + ",1");
    ASSERT_TRUE(WriteFileBytes(scratch.File("notes.orvexcmd"), "text"));
    Load(scratch.File("notes.orvexcmd"));
    ASSERT_EQ(window->iconList().ItemCount(), 1);
    EXPECT_EQ(window->iconList().ItemValue(0), 0);

    // Save-all writes kestu520.ico into the chosen folder: the registry's
    // index 1 is handed on unchanged, so group 1 is exported.
    TempFolder out;
    prompts.AnswerFolder(out.path());
    Choose(kIdMenuSaveAll);
    ExpectBox("保存列表图标成功。", 64, "提示：");
    EXPECT_EQ(FileBytes(out.File("kestu520.ico")), Reference(module, 1));

    Select(0);
    Choose(kIdMenuCopy);
    ExpectBox("已复制选中图标到剪切板 ( Ctrl + V )", 64, "提示：");
    EXPECT_EQ(ClipboardDib().size(), 744u);
}

TEST_F(CommandsTest, FailuresAreReported) {
    // A type whose icon module cannot be read: every command fails.
    TestFileType type(".orvexbad", "OrvexTest.Bad", "C:\\nowhere\\gone.dll,0");
    ASSERT_TRUE(WriteFileBytes(scratch.File("a.orvexbad"), "text"));
    App().CurrentSourceFile = scratch.File("a.orvexbad");
    window->iconList().InsertItem(0, 0);
    Select(0);

    Choose(kIdMenuCopy);
    ExpectBox("复制选中图标失败!", 16, "提示：");

    TempFolder out;
    prompts.AnswerFolder(out.path());
    Choose(kIdMenuSaveAll);
    ExpectBox("保存列表图标失败!", 16, "提示：");

    prompts.AnswerFileDialog(out.File("y.ico"));
    Choose(kIdMenuSave);
    ExpectBox("保存选中图标失败!", 16, "Pimbo提示：");
}

} // namespace
} // namespace orvex::test

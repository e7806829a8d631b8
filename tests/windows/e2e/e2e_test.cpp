// The built tool as a user meets it: started as its own process, driven only
// from outside through its windows, with real clicks, its real menu, the
// system's save dialog and folder browser, and its message boxes.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/wide_text.h"
#include "common/handles.h"
#include "e2e/driver.h"
#include "e2e/file_drag.h"
#include "fixtures.h"
#include "shell/context_verb.h"
#include "shell/core/verb_rules.h"

namespace orvex::test {
namespace {

const char kCaptionPrefix[] = "Orvex - Icon Extraction Tool [";

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// A point of the list inside its client area but right of every item.
POINT EmptySpotOf(HWND list) {
    RECT r;
    GetClientRect(list, &r);
    POINT p = {r.right - 12, r.bottom - 12};
    ClientToScreen(list, &p);
    return p;
}

// Right-clicks `at` and picks the menu item with access key `key`.
void PickFromMenu(const RunningTool& tool, POINT at, wchar_t key) {
    RightClick(at);
    HWND menu = tool.WaitMenu();
    ASSERT_NE(menu, nullptr) << "no popup menu after a right click";
    PressKey(menu, static_cast<UINT>(key - L'a' + 'A'), key);
}

void CloseMenuIfOpen(const RunningTool& tool) {
    if (HWND menu = tool.WaitMenu(300)) {
        PressKey(menu, VK_ESCAPE, 0);
        WaitFor([&] { return tool.WaitMenu(0) != nullptr; }, false);
    }
}

void ExpectNoBox(const RunningTool& tool, const std::string& caption) {
    EXPECT_EQ(tool.WaitWindow(L"#32770", caption, 1500), nullptr) << "unexpected box " << caption;
}

// An icon file as the system reads it: a loadable icon, and its image count.
int IconImagesIn(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 6 || bytes[0] != 0 || bytes[2] != 1) return -1;
    Icon icon(static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
    if (!icon) return -1;
    return static_cast<unsigned char>(bytes[4]) | (static_cast<unsigned char>(bytes[5]) << 8);
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClipboardGuard clipboard;
        if (clipboard.isOpen()) EmptyClipboard();
    }
};

TEST_F(EndToEndTest, CommandLineModuleIsListedWithCaptionAndCount) {
    RunningTool tool(Quoted(Fixture("icons3.dll")));
    ASSERT_NE(tool.main(), nullptr);
    EXPECT_EQ(WindowText(tool.main()), std::string(kCaptionPrefix) + "icons3.dll]");
    EXPECT_EQ(StatusLine(tool.main()), "当前选中第0个图标,共3个");
    EXPECT_EQ(ItemCount(tool.list()), 3);
    EXPECT_EQ(tool.Close(), 0u);
}

TEST_F(EndToEndTest, StartRegistersTheVerbAndWritesTheHiddenSkinLibrary) {
    RunningTool tool;
    ASSERT_NE(tool.main(), nullptr);
    // A fresh prefix knows .lnk as lnkfile; the other types are not registered.
    const std::string key = std::string("lnkfile\\shell\\") + kVerbName + "\\command";
    char value[MAX_PATH * 2] = {};
    LONG size = sizeof value;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(value), VerbCommandValue(tool.exe()));

    // Hidden and nothing else, as this file system reports it (Wine adds the
    // archive bit to whatever is set).
    const std::string probe = tool.folder().File("probe.bin");
    ASSERT_TRUE(WriteFileBytes(probe, "x"));
    ASSERT_TRUE(SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_HIDDEN));
    const std::string skin = tool.folder().File("SkinH_EL.dll");
    EXPECT_EQ(GetFileAttributesA(skin.c_str()), GetFileAttributesA(probe.c_str()));
    EXPECT_TRUE(GetFileAttributesA(skin.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    const std::string bytes = ReadFileBytes(skin);
    EXPECT_EQ(bytes.substr(0, 2), "MZ");
    EXPECT_EQ(tool.Close(), 0u);
}

TEST_F(EndToEndTest, ClicksUpdateTheStatusLineAndTheMenuOffersWhatApplies) {
    RunningTool tool(Quoted(Fixture("icons3.dll")));
    ASSERT_NE(tool.main(), nullptr);
    const RECT second = ItemRect(tool, 1);
    ASSERT_GT(second.right, second.left);

    LeftClick(Center(second));
    EXPECT_EQ(WaitFor([&] { return StatusLine(tool.main()); }, "当前选中第2个图标,共3个"), "当前选中第2个图标,共3个");
    LeftClick(EmptySpotOf(tool.list()));
    EXPECT_EQ(WaitFor([&] { return StatusLine(tool.main()); }, "当前未选中图标,共3个"), "当前未选中图标,共3个");

    // Nothing selected: the copy command is disabled, so its key runs nothing
    // (enabled, it would copy icon 1 and say so).
    ASSERT_NO_FATAL_FAILURE(PickFromMenu(tool, EmptySpotOf(tool.list()), L'c'));
    ExpectNoBox(tool, "提示：");
    CloseMenuIfOpen(tool);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));

    // A right click on an item selects it; copying it puts its first image on
    // the clipboard as a DIB (group 1: 32 x 32 at 4 bits).
    ASSERT_NO_FATAL_FAILURE(PickFromMenu(tool, Center(ItemRect(tool, 0)), L'c'));
    const SeenBox box = TakeMessageBox(tool, "提示：");
    EXPECT_TRUE(box.shown);
    EXPECT_EQ(box.text, "已复制选中图标到剪切板 ( Ctrl + V )");
    {
        ClipboardGuard clipboard;
        ASSERT_TRUE(clipboard.isOpen());
        ASSERT_TRUE(IsClipboardFormatAvailable(CF_DIB));
        GlobalLockGuard lock(GetClipboardData(CF_DIB));
        ASSERT_NE(lock.data(), nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(lock.data());
        EXPECT_EQ(header->biSize, 40u);
        EXPECT_EQ(header->biWidth, 32);
        EXPECT_EQ(header->biBitCount, 4);
    }
    EXPECT_EQ(tool.Close(), 0u);
}

TEST_F(EndToEndTest, MenuOfAnEmptyListHasNothingToSave) {
    RunningTool tool;
    ASSERT_NE(tool.main(), nullptr);
    // Save-all is disabled: its key runs nothing (enabled, it would warn that
    // there is nothing to save). Copy and save-selected are disabled too.
    for (const wchar_t key : {L's', L'c', L'z'}) {
        ASSERT_NO_FATAL_FAILURE(PickFromMenu(tool, EmptySpotOf(tool.list()), key));
        ExpectNoBox(tool, "提示：");
        EXPECT_EQ(tool.WaitWindow(L"#32770", "保存图标文件", 0), nullptr);
        CloseMenuIfOpen(tool);
    }
    // The about item is always enabled; choosing it closes the menu and does nothing.
    ASSERT_NO_FATAL_FAILURE(PickFromMenu(tool, EmptySpotOf(tool.list()), L'g'));
    EXPECT_EQ(WaitFor([&] { return tool.WaitMenu(0) != nullptr; }, false), false);
    ExpectNoBox(tool, "提示：");
    EXPECT_EQ(tool.Close(), 0u);
}

TEST_F(EndToEndTest, SaveSelectedThroughTheSaveDialogWritesAnIconThatLoads) {
    RunningTool tool(Quoted(Fixture("icons3.dll")));
    ASSERT_NE(tool.main(), nullptr);
    TempFolder out;
    // The third icon: a 256 px PNG image and a 32 px image.
    ASSERT_NO_FATAL_FAILURE(PickFromMenu(tool, Center(ItemRect(tool, 2)), L'z'));
    HWND dialog = tool.WaitWindow(L"#32770", "保存图标文件");
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    HWND name = GetDlgItem(dialog, 0x47c);  // cmb13, the file name box
    if (!name) name = GetDlgItem(dialog, 0x480);  // edt1 in older layouts
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(WindowText(name), "icons3");  // the suggestion: the name without its extension
    const std::string target = out.File("x.ico");
    SetControlText(name, target);
    PressButton(dialog, IDOK);
    EXPECT_EQ(WaitFor([&] { return FileExists(target); }, true), true);
    WaitFor([&] { return IconImagesIn(target); }, 2);
    EXPECT_EQ(IconImagesIn(target), 2);
    ExpectNoBox(tool, "Pimbo提示：");
    EXPECT_EQ(tool.Close(), 0u);
}

TEST_F(EndToEndTest, SaveAllThroughTheFolderBrowserWritesNumberedIcons) {
    RunningTool tool(Quoted(Fixture("icons3.dll")));
    ASSERT_NE(tool.main(), nullptr);
    TempFolder out;
    ASSERT_NO_FATAL_FAILURE(PickFromMenu(tool, EmptySpotOf(tool.list()), L's'));
    // The browser's caption is the system's; its prompt is ours.
    HWND browser = tool.WaitDialogShowing("请选择保存全部图标的文件夹");
    ASSERT_NE(browser, nullptr) << "no folder browser";
    // Wine's browser shows no edit box for BIF_EDITBOX; where there is one the
    // path is typed, otherwise the folder is clicked in the tree.
    if (HWND edit = FindChild(browser, L"Edit")) {
        SetControlText(edit, out.path());
    } else {
        HWND tree = FindChild(browser, WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr) << DescribeChildren(browser);
        std::string seen;
        ASSERT_TRUE(ClickFolderInTree(tool, tree, out.path(), &seen)) << out.path() << " not reached; seen: " << seen;
    }
    PressButton(browser, IDOK);
    const SeenBox box = TakeMessageBox(tool, "Dralo提示：");
    EXPECT_TRUE(box.shown);
    EXPECT_EQ(box.text, "保存列表图标成功,没有保存失败。");
    for (int i = 1; i <= 3; ++i) {
        const std::string file = out.File("Kestu" + std::to_string(i) + ".ico");
        EXPECT_GT(IconImagesIn(file), 0) << file;
    }
    EXPECT_EQ(tool.Close(), 0u);
}

TEST_F(EndToEndTest, SeveralDroppedFilesAreOfferedAndADoubleClickLoadsOne) {
    RunningTool tool;
    ASSERT_NE(tool.main(), nullptr);
    const std::vector<std::string> files = {Fixture("icons3.dll"), Fixture("names.dll"), Fixture("modern.ico")};
    RECT listRect;
    GetWindowRect(tool.list(), &listRect);
    FileDrag drag(files, Center(listRect));

    HWND chooser = tool.WaitWindow(L"OrvexFileChooser", "请双击选择一个文件提取图标");
    ASSERT_NE(chooser, nullptr) << "no chooser after the drop";
    HWND box = FindChild(chooser, L"ListBox");
    ASSERT_NE(box, nullptr);
    std::vector<std::string> listed;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(box, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH * 2] = {};
        SendMessageTimeoutW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
        listed.push_back(AnsiPath(text));
    }
    EXPECT_EQ(listed, files);
    EXPECT_FALSE(IsWindowEnabled(tool.main()));

    // A double-click on the second path loads names.dll and closes the chooser.
    DWORD_PTR height = 0;
    SendMessageTimeoutW(box, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 5000, &height);
    POINT second = {20, static_cast<LONG>(height + height / 2)};
    ClientToScreen(box, &second);
    DoubleClick(second);
    EXPECT_EQ(WaitFor([&] { return IsWindow(chooser) != FALSE; }, false), false);
    EXPECT_EQ(WindowText(tool.main()), std::string(kCaptionPrefix) + "names.dll]");
    EXPECT_EQ(ItemCount(tool.list()), 4);
    ASSERT_TRUE(drag.Finished(15000));
    // The drop answers the source with a failure, so the source moves nothing.
    EXPECT_EQ(drag.result(), E_FAIL);
    EXPECT_EQ(drag.effect(), static_cast<DWORD>(DROPEFFECT_NONE));
    for (const std::string& f : files) EXPECT_TRUE(FileExists(f)) << f;
    EXPECT_EQ(tool.Close(), 0u);
}

} // namespace
} // namespace orvex::test

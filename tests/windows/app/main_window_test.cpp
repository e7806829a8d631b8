#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/window.h"
#include "support/main_window_fixture.h"

namespace orvex::test {
namespace {

TEST_F(MainWindowTest, AfterLoadShowsTheDesign) {
    EXPECT_EQ(window->Caption(), "Zelvar ico图标提取器");
    EXPECT_EQ(window->statusLine().Text(), "当前没有图标,共0个");
    EXPECT_EQ(window->iconList().ItemCount(), 0);
    const RECT outer = window->Bounds();
    EXPECT_EQ(outer.right - outer.left, 347);
    EXPECT_EQ(outer.bottom - outer.top, 227);
    // The design image takes index 0.
    EXPECT_EQ(ImageList_GetImageCount(window->iconList().ImageList()), 1);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(window->iconList().ImageList(), &cx, &cy);
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
}

TEST_F(MainWindowTest, ControlsAreLaidOutForTheWindowSize) {
    const int w = window->ClientWidth();
    const int h = 227;
    EXPECT_EQ(window->iconList().Geometry(), (Rect{6, 8, w - 12, h - 8 - 70}));
    const int buttonsTop = 8 + (h - 78) + 8;
    EXPECT_EQ(window->systemIconsButton().Geometry(), (Rect{6 + (w - 12) - 72, buttonsTop, 72, 20}));
    EXPECT_EQ(window->browseButton().Geometry(), (Rect{6 + (w - 12) - 72 - 56 - 8, buttonsTop, 56, 20}));
    EXPECT_EQ(window->statusLine().Geometry(), (Rect{9, buttonsTop + 6, 208, 16}));
    EXPECT_EQ(window->noteLabel().Geometry(), (Rect{8, 144, 248, 32}));

    // Wider by 100, taller by 50: the handler follows the real resize.
    const RECT outer = window->Bounds();
    SetWindowPos(window->hwnd(), nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top + 50,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(window->iconList().Geometry(), (Rect{6, 8, w + 100 - 12, h + 50 - 78}));
    EXPECT_EQ(window->systemIconsButton().Geometry().left, 6 + (w - 12) - 72 + 100);
    EXPECT_EQ(window->statusLine().Geometry(), (Rect{9, buttonsTop + 50 + 6, 208, 16}));
    EXPECT_EQ(window->noteLabel().Geometry(), (Rect{8, 144, 248, 32}));
}

void FillList(MainWindow& w, int n) {
    for (int i = 1; i <= n; ++i) w.iconList().InsertItem(0, i);
    UpdateWindow(w.iconList().hwnd());
}

bool MenuItemEnabled(HMENU menu, int id) {
    return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

TEST_F(MainWindowTest, MenuFlagsFollowListAndSelection) {
    struct Case {
        const char* name;
        int items;
        int select;  // -1: none
        bool copySave, saveAll;
    };
    const Case cases[] = {
        {"empty list", 0, -1, false, false},
        {"item selected", 3, 1, true, true},
        {"no selection", 3, -1, false, true},
    };
    HMENU menu = window->listMenu();
    for (const Case& c : cases) {
        window->iconList().DeleteAllItems();
        FillList(*window, c.items);
        if (c.select >= 0) ListView_SetItemState(window->iconList().hwnd(), c.select, LVIS_SELECTED, LVIS_SELECTED);
        window->PrepareListMenu();
        EXPECT_EQ(MenuItemEnabled(menu, kIdMenuCopy), c.copySave) << c.name;
        EXPECT_EQ(MenuItemEnabled(menu, kIdMenuSave), c.copySave) << c.name;
        EXPECT_EQ(MenuItemEnabled(menu, kIdMenuSaveAll), c.saveAll) << c.name;
        EXPECT_TRUE(MenuItemEnabled(menu, kIdMenuAbout)) << c.name;
    }
}

// Clicks through the list view's own mouse handling.
void ClickAt(HWND list, UINT down, UINT up, POINT p) {
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(list, up, 0, at);
    SendMessageW(list, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at);
    DrainMessages();
}

POINT ItemCenter(HWND list, int item) {
    RECT r = {};
    r.left = LVIR_ICON;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(MainWindowTest, LeftClickUpdatesTheStatusLine) {
    const RECT outer = window->Bounds();
    SetWindowPos(window->hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    FillList(*window, 20);
    HWND list = window->iconList().hwnd();

    ClickAt(list, WM_LBUTTONDOWN, WM_LBUTTONUP, ItemCenter(list, 2));
    EXPECT_EQ(window->iconList().Selection(), 2);
    EXPECT_EQ(window->statusLine().Text(), "当前选中第3个图标,共20个");

    RECT client = {};
    GetClientRect(list, &client);
    ClickAt(list, WM_LBUTTONDOWN, WM_LBUTTONUP, {client.right - 5, client.bottom - 5});
    EXPECT_EQ(window->iconList().Selection(), -1);
    EXPECT_EQ(window->statusLine().Text(), "当前未选中图标,共20个");

    // Keyboard selection leaves the status line alone.
    ListView_SetItemState(list, 4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, WM_KEYDOWN, VK_RIGHT, 0);
    DrainMessages();
    EXPECT_EQ(window->statusLine().Text(), "当前未选中图标,共20个");
    (void)outer;
}

VOID CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(MainWindowTest, RightClickOnItemOpensTheMenuWithCommandsEnabled) {
    SetWindowPos(window->hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    FillList(*window, 5);
    HWND list = window->iconList().hwnd();
    SetTimer(nullptr, 0, 200, &CloseMenuSoon);
    ClickAt(list, WM_RBUTTONDOWN, WM_RBUTTONUP, ItemCenter(list, 1));
    EXPECT_EQ(window->iconList().Selection(), 1);
    EXPECT_TRUE(MenuItemEnabled(window->listMenu(), kIdMenuCopy));
    EXPECT_TRUE(MenuItemEnabled(window->listMenu(), kIdMenuSave));
    EXPECT_TRUE(MenuItemEnabled(window->listMenu(), kIdMenuSaveAll));
}

TEST(EventLoopTest, ClosingTheMainWindowEndsTheLoop) {
    ScriptedPrompts prompts;
    DrainMessages();
    MainWindow window;
    ASSERT_TRUE(window.Load(nullptr));
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(RunEventLoop(), 0);
    EXPECT_FALSE(window.exists());
    EXPECT_EQ(Window::OpenWindowCount(), 0);
}

TEST(EventLoopTest, PumpLeavesAQuitRequestQueued) {
    DrainMessages();
    PostQuitMessage(7);
    PumpEvents();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

} // namespace
} // namespace orvex::test

// What the user sees: the main window, shown, in skin 13 and in another.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "skin_test_support.h"
#include "support/scripted_prompts.h"

namespace orvex::test {
namespace {

void Settle(HWND hwnd) {
    for (int i = 0; i < 5; ++i) {
        DrainMessages();
        UpdateWindow(hwnd);
        Sleep(40);
    }
}

struct Seen {
    COLORREF back, button, listEdge, listInside, caption;
};

// Reads the skinned parts of the main window from its own pixels and checks
// them against the skin's colours.
Seen LookAt(MainWindow& window, const skin::SkinTheme& t, const char* which) {
    SCOPED_TRACE(which);
    HWND hwnd = window.hwnd();
    RECT outer = {};
    GetWindowRect(hwnd, &outer);
    POINT client = {0, 0};
    ClientToScreen(hwnd, &client);
    const int cx = client.x - outer.left, cy = client.y - outer.top;
    WindowDcScope dc(hwnd);
    Capture shot(dc.get(), outer.right - outer.left, outer.bottom - outer.top);
    EXPECT_TRUE(shot.ok());
    Seen seen = {};

    seen.back = shot.At(cx + 2, cy + 2);
    EXPECT_EQ(Hex(seen.back), Hex(ColorOf(t.colors[skin::kWindowBack])));

    const Rect b = window.browseButton().Geometry();
    const int y = b.height / 2;
    seen.button = shot.At(cx + b.left + 2, cy + b.top + y);
    EXPECT_EQ(Hex(seen.button), Hex(ColorOf(skin::ButtonFaceAt(t, skin::kLookNormal, y, b.height))));

    const Rect l = window.iconList().Geometry();
    seen.listEdge = shot.At(cx + l.left, cy + l.top + l.height / 2);
    EXPECT_EQ(Hex(seen.listEdge), Hex(ColorOf(t.colors[skin::kListBorder])));
    seen.listInside = shot.At(cx + l.left + l.width / 2, cy + l.top + l.height - 6);
    EXPECT_EQ(Hex(seen.listInside), Hex(ColorOf(t.colors[skin::kListBack])));

    // The frame is not on this X server's screen (no window manager), so the
    // caption is read from the window printing itself. Its first row, left of
    // any text.
    const int border = cx;
    const int captionHeight = cy - border;
    const bool active = GetActiveWindow() == hwnd;
    MemoryDc memory(dc.get());
    GdiObject bitmap(CreateCompatibleBitmap(dc.get(), outer.right - outer.left, outer.bottom - outer.top));
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    EXPECT_TRUE(PrintWindow(hwnd, memory.get(), 0));
    {
        Capture printed(memory.get(), outer.right - outer.left, outer.bottom - outer.top);
        seen.caption = printed.At(border + 2, border + 1);
        EXPECT_EQ(Hex(printed.At(cx + 2, cy + 2)), Hex(seen.back)) << "printed as shown";
    }
    SelectObject(memory.get(), old);
    EXPECT_EQ(Hex(seen.caption), Hex(ColorOf(skin::CaptionColorAt(t, active, 2, 1, outer.right - outer.left - 2 * border,
                                                                   captionHeight))));
    return seen;
}

TEST(SkinPixels, TheMainWindowShowsTheSkinsColours) {
    TempFolder folder;
    ProgramFolderScope scope(folder.path());
    ScriptedPrompts prompts;
    MainWindow window;
    ASSERT_TRUE(window.Load(+[](MainWindow&) { InstallSkin(skin::kDefaultSkin); }, true));
    Settle(window.hwnd());
    const Seen first = LookAt(window, Theme(skin::kDefaultSkin), "skin 13");

    const int other = 4;
    InstallSkin(other);
    Settle(window.hwnd());
    const Seen second = LookAt(window, Theme(other), "skin 4");
    EXPECT_NE(first.back, second.back);
    EXPECT_NE(first.button, second.button);
    EXPECT_NE(first.caption, second.caption);
    EXPECT_TRUE(prompts.boxes.empty());
}

} // namespace
} // namespace orvex::test

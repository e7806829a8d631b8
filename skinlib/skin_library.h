// Inside the skin library: the attached skin, the windows drawn in it, and
// the menus dressed while they are open. Everything runs on the thread that
// attached the skin.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <memory>
#include <string>
#include <vector>

#include "common/handles.h"
#include "skin/core/skin_format.h"

namespace orvex::skinlib {

struct HookDeleter {
    static HHOOK empty() { return nullptr; }
    static bool valid(HHOOK h) { return h != nullptr; }
    static void free(HHOOK h) { UnhookWindowsHookEx(h); }
};
using WindowsHook = Owned<HHOOK, HookDeleter>;

enum class Kind { Container, Button, ListView, ListBox };

// Where the system puts a caption's buttons and icon, read from its own hit
// testing; kept while the window's size and style stay the same.
struct CaptionPart {
    int hit;
    int left, right;  // window coordinates, both inclusive
};

struct CaptionLayout {
    bool valid = false;
    int width = 0, height = 0, captionHeight = 0;
    LONG style = 0, exStyle = 0;
    std::vector<CaptionPart> buttons;
    int iconRight = 0;  // end of the window icon's area; the caption's left edge when none
};

struct SkinnedWindow {
    HWND hwnd = nullptr;
    Kind kind = Kind::Container;
    bool active = false;        // containers: the caption is drawn active
    int heldButton = 0;         // containers: caption button held down (hit-test code)
    bool ncRenderingOff = false;  // containers: the desktop compositor's frame was turned off
    CaptionLayout caption;      // containers
    bool hot = false;           // buttons: the mouse is over it
    // List views: the colours the program asked for, given back on unload.
    COLORREF programBack = CLR_NONE, programText = CLR_NONE, programTextBack = CLR_NONE;
};

// One menu item drawn by us while its menu is open: what it was before.
struct MenuItemSkin {
    UINT type = 0;
    ULONG_PTR data = 0;
    std::wstring text;
};

struct MenuSkin {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    HBRUSH formerBack = nullptr;
    std::vector<std::unique_ptr<MenuItemSkin>> items;
};

struct Library {
    skin::SkinTheme theme;
    DWORD thread = 0;
    WindowsHook hook;
    GdiObject backBrush, listBrush, editBrush, menuBrush;
    GdiObject captionFont, menuFont;
    Module dwmapi;
    std::vector<std::unique_ptr<SkinnedWindow>> windows;
    std::vector<std::unique_ptr<MenuSkin>> menus;

    COLORREF Color(skin::SkinColor c) const;
    HBRUSH Brush(const GdiObject& b) const { return static_cast<HBRUSH>(b.get()); }
    SkinnedWindow* Find(HWND hwnd) const;
};

// The attached skin, or null while none is.
Library* Current();

// skin_windows.cpp
// Takes the window on when it is of a kind we draw; `creating` while the
// system is still creating it.
void SkinWindow(HWND hwnd, bool creating = false);
void SkinThreadWindows();             // every window the thread has now
void RefreshAll();                    // after the skin changed
void UnskinAll();                     // gives every window back as it was
void RestoreMenu(MenuSkin& menu);

} // namespace orvex::skinlib

// Drawing in the skin: push buttons, caption and frame, menu items, the edges
// of list controls.
#pragma once
#include <windows.h>

#include "skin_library.h"

namespace orvex::skinlib {

// A window's DC (whole window or client area), released with the object.
class WindowDc {
public:
    WindowDc(HWND hwnd, bool whole) : hwnd_(hwnd), dc_(whole ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// An off-screen bitmap to draw into, then copy out in one go.
class Canvas {
public:
    Canvas(HDC like, int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    bool ok() const { return dc_ && old_; }
    HDC dc() const { return dc_; }
    void CopyTo(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

private:
    HDC dc_ = nullptr;
    GdiObject bitmap_;
    HGDIOBJ old_ = nullptr;
    int width_, height_;
};

// An object selected into a DC for as long as the guard lives.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

COLORREF ToColorRef(uint32_t rgb);
void FillSolid(HDC dc, const RECT& r, COLORREF color);

void PaintButton(HWND button, HDC dc, const Library& lib, bool hot);

// Whether the caption and frame of `hwnd` are ours to draw: a plain top-level
// window with a caption, no menu bar and no scroll bars of its own.
bool DrawsFrame(HWND hwnd);
// Caption geometry is read back from the system's own hit testing, so the
// buttons we draw are where clicks land. Draws onto the window, or into
// `into` (window coordinates) when a caller prints the window.
void PaintFrame(HWND hwnd, const Library& lib, SkinnedWindow& state, HDC into = nullptr);
// Whether a caption button (hit-test code) does anything for this window.
bool CaptionButtonEnabled(HWND hwnd, int hit);

// The sunken edge or border of a list control, in skin colours.
void PaintControlEdge(HWND hwnd, const Library& lib, HDC into = nullptr);

void MeasureMenuItem(MEASUREITEMSTRUCT& item, const MenuItemSkin& skin, const Library& lib);
void DrawMenuItem(const DRAWITEMSTRUCT& item, const MenuItemSkin& skin, const Library& lib);

} // namespace orvex::skinlib

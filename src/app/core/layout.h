// Geometry of the main window's controls when the window changes size.
#pragma once

namespace orvex {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

struct MainLayout {
    Rect list;          // the icon list
    Rect status;        // the status line
    Rect browse;        // "&B.浏览"
    Rect systemIcons;   // "&W.系统图标"
    Rect note;          // the second label; it never moves
};

// The controls' design geometry.
MainLayout DesignLayout();

// Lays out the controls for a client width and an outer window height; every
// step reads what the steps before it wrote, and nothing is clamped.
MainLayout LayOut(MainLayout layout, int clientWidth, int outerHeight);

} // namespace orvex

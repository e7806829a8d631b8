// Thin wrappers over the controls the tool's windows use.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

#include "app/core/layout.h"

namespace orvex {

class Control {
public:
    HWND hwnd() const { return hwnd_; }
    Rect Geometry() const;  // position in the parent's client area, outer size
    void SetGeometry(const Rect& r);
    void SetWidth(int width);

protected:
    bool CreateChild(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, const Rect& r,
                     const std::string& text, int id);
    HWND hwnd_ = nullptr;
};

// A label drawn over its parent's background in a colour of its own; the
// parent answers WM_CTLCOLORSTATIC through ColorFor().
class TransparentLabel : public Control {
public:
    bool Create(HWND parent, const Rect& r, const std::string& text, COLORREF color, HFONT font);
    void SetText(const std::string& gbkText);
    std::string Text() const;
    COLORREF color() const { return color_; }

private:
    COLORREF color_ = 0;
};

class PushButton : public Control {
public:
    bool Create(HWND parent, const Rect& r, const std::string& text, int id);
};

// The icon list: a list view in large-icon view with an image list.
class IconListView : public Control {
public:
    bool Create(HWND parent, const Rect& r, int id);
    void DeleteAllItems();
    int ItemCount() const;
    // Appends an item with no text; returns its position or -1.
    int InsertItem(int image, LPARAM value);
    LPARAM ItemValue(int position) const;
    int Selection() const;  // first selected item, or -1
    HIMAGELIST ImageList() const;
    void SetImageList(HIMAGELIST list);
};

class ListBox : public Control {
public:
    bool Create(HWND parent, const Rect& r, int id);
    void AddItem(const std::string& text);
    std::string ItemText(int position) const;  // empty when there is none
    int Selection() const;
    int Count() const;
};

} // namespace orvex

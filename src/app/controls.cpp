#include "app/controls.h"

#include <vector>

#include "app/wide_text.h"
#include "app/window.h"

namespace orvex {

Rect Control::Geometry() const {
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetGeometry(const Rect& r) {
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetWidth(int width) {
    const Rect r = Geometry();
    SetWindowPos(hwnd_, nullptr, 0, 0, width, r.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Control::CreateChild(HWND parent, const wchar_t* className, DWORD style, DWORD exStyle, const Rect& r,
                          const std::string& text, int id) {
    hwnd_ = CreateWindowExW(exStyle, className, WideText(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                            r.width, r.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
    return hwnd_ != nullptr;
}

bool TransparentLabel::Create(HWND parent, const Rect& r, const std::string& text, COLORREF color, HFONT font) {
    color_ = color;
    if (!CreateChild(parent, L"STATIC", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, r, text, 0)) return false;
    if (font) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

void TransparentLabel::SetText(const std::string& gbkText) {
    SetWindowTextW(hwnd_, WideText(gbkText).c_str());
    // The parent paints the background: let it wipe the old text.
    HWND parent = GetParent(hwnd_);
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(parent, &r, TRUE);
}

std::string TransparentLabel::Text() const {
    const int n = GetWindowTextLengthW(hwnd_);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(hwnd_, w.data(), n + 1);
    w.resize(static_cast<size_t>(n));
    return GbkText(w);
}

bool PushButton::Create(HWND parent, const Rect& r, const std::string& text, int id) {
    return CreateChild(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, r, text, id);
}

bool IconListView::Create(HWND parent, const Rect& r, int id) {
    const DWORD style = LVS_ICON | LVS_AUTOARRANGE | LVS_ALIGNTOP | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
    if (!CreateChild(parent, WC_LISTVIEWW, style, WS_EX_CLIENTEDGE, r, "", id)) return false;
    ListView_SetTextColor(hwnd_, RGB(0, 0, 0));
    ListView_SetBkColor(hwnd_, RGB(255, 255, 255));
    ListView_SetTextBkColor(hwnd_, RGB(255, 255, 255));
    return true;
}

void IconListView::DeleteAllItems() { ListView_DeleteAllItems(hwnd_); }

int IconListView::ItemCount() const { return ListView_GetItemCount(hwnd_); }

int IconListView::InsertItem(int image, LPARAM value) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = ItemCount();
    item.pszText = const_cast<wchar_t*>(L"");
    item.iImage = image;
    item.lParam = value;
    return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM IconListView::ItemValue(int position) const {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = position;
    if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

int IconListView::Selection() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }

HIMAGELIST IconListView::ImageList() const { return ListView_GetImageList(hwnd_, LVSIL_NORMAL); }

void IconListView::SetImageList(HIMAGELIST list) { ListView_SetImageList(hwnd_, list, LVSIL_NORMAL); }

bool ListBox::Create(HWND parent, const Rect& r, int id) {
    return CreateChild(parent, L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, 0, r, "", id);
}

void ListBox::AddItem(const std::string& text) {
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePath(text).c_str()));
}

std::string ListBox::ItemText(int position) const {
    const LRESULT n = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(position), 0);
    if (position < 0 || n == LB_ERR) return {};
    std::vector<wchar_t> buf(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(buf.data()));
    return AnsiPath(buf.data());
}

int ListBox::Selection() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

int ListBox::Count() const { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }

} // namespace orvex

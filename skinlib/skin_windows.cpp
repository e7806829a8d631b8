// The windows we draw: which ones, and what each kind answers.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "skin_library.h"
#include "skin_paint.h"

namespace orvex::skinlib {

using namespace skin;

namespace {

const UINT_PTR kSubclassId = 0x5348454C;  // "SHEL"

// Messages after which a button's own painting has run and ours must follow.
bool ButtonRepaintsAfter(UINT msg) {
    switch (msg) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        return true;
    default:
        return false;
    }
}

void RedrawNow(HWND hwnd) {
    if (IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Forget(HWND hwnd);

// The desktop compositor draws frames itself unless told not to; ours would
// not show. True when the compositor took the setting.
bool SetCompositorFrame(Library& lib, HWND hwnd, bool ours) {
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    if (!lib.dwmapi && ours) lib.dwmapi.reset(LoadLibraryW(L"dwmapi.dll"));
    if (!lib.dwmapi) return false;
    const auto set = reinterpret_cast<SetAttribute>(
        reinterpret_cast<void*>(GetProcAddress(lib.dwmapi.get(), "DwmSetWindowAttribute")));
    if (!set) return false;
    const DWORD kNcRenderingPolicy = 2, kDisabled = 1, kUseWindowStyle = 0;
    const DWORD policy = ours ? kDisabled : kUseWindowStyle;
    return SUCCEEDED(set(hwnd, kNcRenderingPolicy, &policy, sizeof policy));
}

// ---- menus ------------------------------------------------------------------

MenuSkin* FindMenu(Library& lib, HMENU menu) {
    for (auto& m : lib.menus) {
        if (m->menu == menu) return m.get();
    }
    return nullptr;
}

const MenuItemSkin* FindItem(const Library& lib, ULONG_PTR data) {
    for (const auto& m : lib.menus) {
        for (const auto& item : m->items) {
            if (reinterpret_cast<ULONG_PTR>(item.get()) == data) return item.get();
        }
    }
    return nullptr;
}

// The position of the item that carries `data`, or -1.
int PositionOf(HMENU menu, ULONG_PTR data) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) && (info.fType & MFT_OWNERDRAW) &&
            info.dwItemData == data) {
            return i;
        }
    }
    return -1;
}

// Turns the menu's plain text items into items we draw, for as long as it is
// open. The program's own owner-drawn, bitmap and separator items stay as
// they are.
void SkinMenu(Library& lib, HMENU menu, HWND owner) {
    if (!IsMenu(menu) || FindMenu(lib, menu)) return;
    const int count = GetMenuItemCount(menu);
    if (count <= 0) return;
    auto skin = std::make_unique<MenuSkin>();
    skin->menu = menu;
    skin->owner = owner;
    MENUINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    if (GetMenuInfo(menu, &info)) skin->formerBack = info.hbrBack;

    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP | MIIM_STRING;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
        if (item.fType & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_BITMAP)) continue;
        if (item.hbmpItem) continue;
        auto record = std::make_unique<MenuItemSkin>();
        record->type = item.fType;
        record->data = item.dwItemData;
        std::wstring text(static_cast<size_t>(item.cch) + 1, L'\0');
        item.fMask = MIIM_STRING;
        item.dwTypeData = text.data();
        item.cch = static_cast<UINT>(text.size());
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
        text.resize(std::min<size_t>(item.cch, text.size()));
        record->text = text.c_str();

        MENUITEMINFOW change = {};
        change.cbSize = sizeof change;
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        change.fType = record->type | MFT_OWNERDRAW;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(record.get());
        if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change)) skin->items.push_back(std::move(record));
    }
    MENUINFO back = {};
    back.cbSize = sizeof back;
    back.fMask = MIM_BACKGROUND;
    back.hbrBack = lib.Brush(lib.menuBrush);
    SetMenuInfo(menu, &back);
    lib.menus.push_back(std::move(skin));
}

void RestoreMenuOf(Library& lib, HMENU menu) {
    auto it = std::find_if(lib.menus.begin(), lib.menus.end(), [menu](const auto& m) { return m->menu == menu; });
    if (it == lib.menus.end()) return;
    RestoreMenu(**it);
    lib.menus.erase(it);
}

void RestoreMenusOwnedBy(Library& lib, HWND owner) {
    for (auto it = lib.menus.begin(); it != lib.menus.end();) {
        if ((*it)->owner == owner) {
            RestoreMenu(**it);
            it = lib.menus.erase(it);
        } else {
            ++it;
        }
    }
}

// Keyboard access for the items we draw: the system matches mnemonics only
// in the items it draws itself.
LRESULT MenuMnemonic(Library& lib, HMENU menu, wchar_t key) {
    MenuSkin* skin = FindMenu(lib, menu);
    if (!skin) return -1;
    const wint_t wanted = std::towupper(static_cast<wint_t>(key));
    for (const auto& item : skin->items) {
        const std::wstring& t = item->text;
        for (size_t i = 0; i + 1 < t.size(); ++i) {
            if (t[i] != L'&') continue;
            if (t[i + 1] == L'&') {
                ++i;
                continue;
            }
            if (std::towupper(static_cast<wint_t>(t[i + 1])) == wanted) {
                const int position = PositionOf(menu, reinterpret_cast<ULONG_PTR>(item.get()));
                if (position >= 0) return MAKELRESULT(position, MNC_EXECUTE);
            }
            break;
        }
    }
    return -1;
}

// ---- caption buttons --------------------------------------------------------

UINT CommandFor(HWND hwnd, int hit) {
    switch (hit) {
    case HTCLOSE: return SC_CLOSE;
    case HTMINBUTTON: return SC_MINIMIZE;
    case HTMAXBUTTON: return IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
    default: return 0;
    }
}

void RepaintFrame(HWND hwnd) {
    Library* lib = Current();
    SkinnedWindow* w = lib ? lib->Find(hwnd) : nullptr;
    if (w) PaintFrame(hwnd, *lib, *w);
}

void SetHeld(HWND hwnd, int hit) {
    Library* lib = Current();
    if (SkinnedWindow* w = lib ? lib->Find(hwnd) : nullptr) w->heldButton = hit;
    RepaintFrame(hwnd);
}

// Holds a caption button down while the mouse button is; the command goes
// out when it is released over the same button.
void TrackCaptionButton(HWND hwnd, int hit) {
    SetCapture(hwnd);
    SetHeld(hwnd, hit);
    bool inside = true;
    POINT where = {};
    GetCursorPos(&where);
    for (;;) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            inside = false;
            break;
        }
        if (!IsWindow(hwnd) || GetCapture() != hwnd) {
            inside = false;
            break;
        }
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP) continue;
        where = msg.pt;
        const bool now = DefWindowProcW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(where.x, where.y)) == hit;
        if (now != inside) {
            inside = now;
            SetHeld(hwnd, inside ? hit : 0);
        }
        if (msg.message == WM_LBUTTONUP) break;
    }
    if (GetCapture() == hwnd) ReleaseCapture();
    if (!IsWindow(hwnd)) return;
    SetHeld(hwnd, 0);
    if (inside) SendMessageW(hwnd, WM_SYSCOMMAND, CommandFor(hwnd, hit), MAKELPARAM(where.x, where.y));
}

// ---- window procedures ------------------------------------------------------

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    Library* lib = Current();
    auto* w = reinterpret_cast<SkinnedWindow*>(ref);
    if (!lib) return DefSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        RestoreMenusOwnedBy(*lib, hwnd);
        Forget(hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);

    case WM_ERASEBKGND: {
        RECT r = {};
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, lib->Brush(lib->backBrush));
        return 1;
    }
    case WM_PRINTCLIENT:
        if (lParam & PRF_ERASEBKGND) {
            RECT r = {};
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, lib->Brush(lib->backBrush));
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);

    case WM_PRINT: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        lib = Current();
        SkinnedWindow* self = lib ? lib->Find(hwnd) : nullptr;
        if (self && (lParam & PRF_NONCLIENT)) PaintFrame(hwnd, *lib, *self, reinterpret_cast<HDC>(wParam));
        return r;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
        // The program may ask for a see-through label; it stays one.
        const LRESULT answer = DefSubclassProc(hwnd, msg, wParam, lParam);
        lib = Current();
        if (!lib) return answer;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, lib->Color(kWindowText));
        if (answer == reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH))) {
            SetBkMode(dc, TRANSPARENT);
            return answer;
        }
        SetBkColor(dc, lib->Color(kWindowBack));
        return reinterpret_cast<LRESULT>(lib->Brush(lib->backBrush));
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: {
        DefSubclassProc(hwnd, msg, wParam, lParam);
        lib = Current();
        if (!lib) return 0;
        const bool list = msg == WM_CTLCOLORLISTBOX;
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, lib->Color(list ? kListText : kEditText));
        SetBkColor(dc, lib->Color(list ? kListBack : kEditBack));
        return reinterpret_cast<LRESULT>(lib->Brush(list ? lib->listBrush : lib->editBrush));
    }

    case WM_INITMENUPOPUP: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        // The window menu is the system's; it keeps its own look.
        if (!HIWORD(lParam) && (lib = Current())) SkinMenu(*lib, reinterpret_cast<HMENU>(wParam), hwnd);
        return r;
    }
    case WM_UNINITMENUPOPUP:
        RestoreMenuOf(*lib, reinterpret_cast<HMENU>(wParam));
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    case WM_EXITMENULOOP:
        RestoreMenusOwnedBy(*lib, hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_MENU) {
            if (const MenuItemSkin* skin = FindItem(*lib, item->itemData)) {
                MeasureMenuItem(*item, *skin, *lib);
                return TRUE;
            }
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType == ODT_MENU) {
            if (const MenuItemSkin* skin = FindItem(*lib, item->itemData)) {
                DrawMenuItem(*item, *skin, *lib);
                return TRUE;
            }
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    case WM_MENUCHAR: {
        const LRESULT found = MenuMnemonic(*lib, reinterpret_cast<HMENU>(lParam), static_cast<wchar_t>(LOWORD(wParam)));
        return found != -1 ? found : DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    default:
        break;
    }

    if (!DrawsFrame(hwnd)) return DefSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCACTIVATE:
        w->active = wParam != FALSE;
        [[fallthrough]];
    case WM_NCPAINT:
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_ENABLE: {
        // The system draws its frame first; ours goes over it before anything
        // reaches the screen.
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        RepaintFrame(hwnd);
        return r;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) {
            if (CaptionButtonEnabled(hwnd, static_cast<int>(wParam))) TrackCaptionButton(hwnd, static_cast<int>(wParam));
            return 0;
        }
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    case 0x00AE:  // themed caption and frame redraws of older systems
    case 0x00AF:
        return 0;
    default:
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    Library* lib = Current();
    auto* w = reinterpret_cast<SkinnedWindow*>(ref);
    if (!lib) return DefSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        Forget(hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    case WM_PAINT: {
        if (wParam) {
            PaintButton(hwnd, reinterpret_cast<HDC>(wParam), *lib, w->hot);
            return 0;
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc) PaintButton(hwnd, dc, *lib, w->hot);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintButton(hwnd, reinterpret_cast<HDC>(wParam), *lib, w->hot);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE: {
        const bool was = w->hot;
        if (!was) {
            w->hot = true;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
        }
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (!was) RedrawNow(hwnd);
        return r;
    }
    case WM_MOUSELEAVE: {
        w->hot = false;
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        RedrawNow(hwnd);
        return r;
    }
    default: {
        // The window may be gone after the call (a click can close a dialog):
        // only the handle is used afterwards.
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (ButtonRepaintsAfter(msg)) RedrawNow(hwnd);
        return r;
    }
    }
}

void ApplyListColors(HWND list, const SkinnedWindow& w) {
    // Sent through our own procedure, which puts the skin's colours in place
    // of the program's.
    SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(w.programBack));
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(w.programText));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(w.programTextBack));
}

LRESULT CALLBACK ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    Library* lib = Current();
    auto* w = reinterpret_cast<SkinnedWindow*>(ref);
    if (!lib) return DefSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        Forget(hwnd);
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    case WM_NCPAINT: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if ((lib = Current()) && IsWindow(hwnd)) PaintControlEdge(hwnd, *lib);
        return r;
    }
    case WM_PRINT: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if ((lParam & PRF_NONCLIENT) && (lib = Current())) PaintControlEdge(hwnd, *lib, reinterpret_cast<HDC>(wParam));
        return r;
    }
    default:
        break;
    }
    if (w->kind != Kind::ListView) return DefSubclassProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (r != -1) {
            w->programBack = static_cast<COLORREF>(DefSubclassProc(hwnd, LVM_GETBKCOLOR, 0, 0));
            w->programText = static_cast<COLORREF>(DefSubclassProc(hwnd, LVM_GETTEXTCOLOR, 0, 0));
            w->programTextBack = static_cast<COLORREF>(DefSubclassProc(hwnd, LVM_GETTEXTBKCOLOR, 0, 0));
            ApplyListColors(hwnd, *w);
        }
        return r;
    }
    case LVM_SETBKCOLOR:
        w->programBack = static_cast<COLORREF>(lParam);
        return DefSubclassProc(hwnd, msg, wParam, static_cast<LPARAM>(lib->Color(kListBack)));
    case LVM_SETTEXTCOLOR:
        w->programText = static_cast<COLORREF>(lParam);
        return DefSubclassProc(hwnd, msg, wParam, static_cast<LPARAM>(lib->Color(kListText)));
    case LVM_SETTEXTBKCOLOR:
        w->programTextBack = static_cast<COLORREF>(lParam);
        // A program that asked for text without a background keeps that.
        return DefSubclassProc(hwnd, msg, wParam,
                               static_cast<LPARAM>(lParam == static_cast<LPARAM>(CLR_NONE) ? CLR_NONE
                                                                                         : lib->Color(kListBack)));
    default:
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
}

SUBCLASSPROC ProcFor(Kind kind) {
    switch (kind) {
    case Kind::Button: return ButtonProc;
    case Kind::ListView:
    case Kind::ListBox: return ListProc;
    default: return ContainerProc;
    }
}

bool ClassIs(const wchar_t* name, const wchar_t* wanted) { return lstrcmpiW(name, wanted) == 0; }

// Which kind of window this is to us, if any.
bool Classify(HWND hwnd, Kind& kind) {
    wchar_t name[64] = {};
    if (!GetClassNameW(hwnd, name, 64)) return false;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    if (ClassIs(name, L"Button")) {
        const LONG type = style & BS_TYPEMASK;
        if ((type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) || (style & (BS_ICON | BS_BITMAP))) return false;
        kind = Kind::Button;
        return true;
    }
    if (ClassIs(name, WC_LISTVIEWW)) {
        kind = Kind::ListView;
        return true;
    }
    if (ClassIs(name, L"ListBox")) {
        kind = Kind::ListBox;
        return true;
    }
    // Dialogs anywhere; other windows when they are top-level windows with a
    // caption (not tooltips, menus or the system's hidden helpers).
    if (ClassIs(name, L"#32770") || (!(style & WS_CHILD) && (style & WS_CAPTION) == WS_CAPTION)) {
        kind = Kind::Container;
        return true;
    }
    return false;
}

void Forget(HWND hwnd) {
    Library* lib = Current();
    if (!lib) return;
    auto it = std::find_if(lib->windows.begin(), lib->windows.end(), [hwnd](const auto& w) { return w->hwnd == hwnd; });
    if (it == lib->windows.end()) return;
    RemoveWindowSubclass(hwnd, ProcFor((*it)->kind), kSubclassId);
    lib->windows.erase(it);
}

BOOL CALLBACK SkinChild(HWND hwnd, LPARAM) {
    SkinWindow(hwnd);
    return TRUE;
}

BOOL CALLBACK SkinTopLevel(HWND hwnd, LPARAM) {
    SkinWindow(hwnd);
    EnumChildWindows(hwnd, SkinChild, 0);
    return TRUE;
}

void RedrawTree(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

void SkinWindow(HWND hwnd, bool creating) {
    Library* lib = Current();
    if (!lib || !IsWindow(hwnd) || lib->Find(hwnd)) return;
    if (GetWindowThreadProcessId(hwnd, nullptr) != lib->thread) return;
    Kind kind;
    if (!Classify(hwnd, kind)) return;
    auto w = std::make_unique<SkinnedWindow>();
    w->hwnd = hwnd;
    w->kind = kind;
    w->active = GetActiveWindow() == hwnd;
    if (!SetWindowSubclass(hwnd, ProcFor(kind), kSubclassId, reinterpret_cast<DWORD_PTR>(w.get()))) return;
    SkinnedWindow& skinned = *w;
    lib->windows.push_back(std::move(w));
    // A list view still being created takes its colours once it exists.
    if (kind == Kind::ListView && !creating) {
        skinned.programBack = static_cast<COLORREF>(SendMessageW(hwnd, LVM_GETBKCOLOR, 0, 0));
        skinned.programText = static_cast<COLORREF>(SendMessageW(hwnd, LVM_GETTEXTCOLOR, 0, 0));
        skinned.programTextBack = static_cast<COLORREF>(SendMessageW(hwnd, LVM_GETTEXTBKCOLOR, 0, 0));
        ApplyListColors(hwnd, skinned);
    }
    if (kind == Kind::Container && !(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) {
        skinned.ncRenderingOff = SetCompositorFrame(*lib, hwnd, true);
    }
}

void SkinThreadWindows() {
    Library* lib = Current();
    if (!lib) return;
    EnumThreadWindows(lib->thread, SkinTopLevel, 0);
}

void RefreshAll() {
    Library* lib = Current();
    if (!lib) return;
    for (const auto& w : lib->windows) {
        if (w->kind == Kind::ListView) ApplyListColors(w->hwnd, *w);
    }
    for (const auto& w : lib->windows) {
        if (!(GetWindowLongW(w->hwnd, GWL_STYLE) & WS_CHILD)) RedrawTree(w->hwnd);
    }
}

void UnskinAll() {
    Library* lib = Current();
    if (!lib) return;
    while (!lib->menus.empty()) {
        RestoreMenu(*lib->menus.back());
        lib->menus.pop_back();
    }
    std::vector<HWND> topLevel;
    for (const auto& w : lib->windows) {
        RemoveWindowSubclass(w->hwnd, ProcFor(w->kind), kSubclassId);
        if (w->kind == Kind::ListView) {
            SendMessageW(w->hwnd, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(w->programBack));
            SendMessageW(w->hwnd, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(w->programText));
            SendMessageW(w->hwnd, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(w->programTextBack));
        }
        if (w->ncRenderingOff) SetCompositorFrame(*lib, w->hwnd, false);
        if (!(GetWindowLongW(w->hwnd, GWL_STYLE) & WS_CHILD)) topLevel.push_back(w->hwnd);
    }
    lib->windows.clear();
    for (HWND h : topLevel) RedrawTree(h);
}

void RestoreMenu(MenuSkin& skin) {
    if (!IsMenu(skin.menu)) return;
    for (const auto& item : skin.items) {
        const int position = PositionOf(skin.menu, reinterpret_cast<ULONG_PTR>(item.get()));
        if (position < 0) continue;
        MENUITEMINFOW change = {};
        change.cbSize = sizeof change;
        change.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
        change.fType = item->type;
        change.dwItemData = item->data;
        change.dwTypeData = const_cast<wchar_t*>(item->text.c_str());
        SetMenuItemInfoW(skin.menu, static_cast<UINT>(position), TRUE, &change);
    }
    MENUINFO back = {};
    back.cbSize = sizeof back;
    back.fMask = MIM_BACKGROUND;
    back.hbrBack = skin.formerBack;
    SetMenuInfo(skin.menu, &back);
}

} // namespace orvex::skinlib

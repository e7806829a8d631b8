#include "skin_paint.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "skin/core/skin_table.h"

namespace orvex::skinlib {

using namespace skin;

Canvas::Canvas(HDC like, int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(like);
    bitmap_.reset(CreateCompatibleBitmap(like, width, height));
    if (dc_ && bitmap_) old_ = SelectObject(dc_, bitmap_.get());
}

Canvas::~Canvas() {
    if (old_) SelectObject(dc_, old_);
    if (dc_) DeleteDC(dc_);
}

COLORREF ToColorRef(uint32_t rgb) {
    return RGB(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

namespace {

std::wstring WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

HGDIOBJ FontOr(const GdiObject& font) {
    return font ? font.get() : GetStockObject(DEFAULT_GUI_FONT);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

void PaintButton(HWND button, HDC target, const Library& lib, bool hot) {
    RECT client = {};
    GetClientRect(button, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    Canvas canvas(target, w, h);
    if (!canvas.ok()) return;
    HDC dc = canvas.dc();
    const SkinTheme& t = lib.theme;

    const LONG style = GetWindowLongW(button, GWL_STYLE);
    const bool enabled = IsWindowEnabled(button) != FALSE;
    const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
    const bool pressed = (state & BST_PUSHED) != 0;
    const bool focused = GetFocus() == button;
    const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    const LRESULT ui = SendMessageW(button, WM_QUERYUISTATE, 0, 0);
    const ButtonLook look = !enabled ? kLookNormal : pressed ? kLookDown : hot ? kLookHot : kLookNormal;

    FillSolid(dc, client, lib.Color(kWindowBack));
    const int radius = std::min<int>(t.metrics[kButtonRadius], std::min(w, h) / 2);
    GdiObject shape(radius > 0 ? CreateRoundRectRgn(0, 0, w + 1, h + 1, radius * 2, radius * 2)
                               : CreateRectRgn(0, 0, w, h));
    if (shape) SelectClipRgn(dc, static_cast<HRGN>(shape.get()));
    for (int y = 0; y < h; ++y) FillSolid(dc, {0, y, w, y + 1}, ToColorRef(ButtonFaceAt(t, look, y, h)));
    SelectClipRgn(dc, nullptr);
    if (shape) {
        GdiObject border(CreateSolidBrush(lib.Color(kButtonBorder)));
        if (border) FrameRgn(dc, static_cast<HRGN>(shape.get()), static_cast<HBRUSH>(border.get()), 1, 1);
        if ((isDefault || focused) && enabled && w > 4 && h > 4) {
            const int r = std::max(radius - 1, 0);
            GdiObject ring(r > 0 ? CreateRoundRectRgn(1, 1, w, h, r * 2, r * 2) : CreateRectRgn(1, 1, w - 1, h - 1));
            GdiObject accent(CreateSolidBrush(lib.Color(kFocus)));
            if (ring && accent) FrameRgn(dc, static_cast<HRGN>(ring.get()), static_cast<HBRUSH>(accent.get()), 1, 1);
        }
    }

    const std::wstring text = WindowText(button);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
    Selected selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, lib.Color(enabled ? kButtonText : kButtonDisabledText));
    RECT area = {4, 2, w - 4, h - 2};
    if (pressed) OffsetRect(&area, 1, 1);
    UINT flags = DT_CENTER;
    if ((style & BS_CENTER) == BS_LEFT) flags = DT_LEFT;
    if ((style & BS_CENTER) == BS_RIGHT) flags = DT_RIGHT;
    if (ui & UISF_HIDEACCEL) flags |= DT_HIDEPREFIX;
    if (style & BS_MULTILINE) {
        RECT measure = area;
        DrawTextW(dc, text.c_str(), -1, &measure, flags | DT_WORDBREAK | DT_CALCRECT);
        const int shift = ((area.bottom - area.top) - (measure.bottom - measure.top)) / 2;
        if (shift > 0) area.top += shift;
        DrawTextW(dc, text.c_str(), -1, &area, flags | DT_WORDBREAK);
    } else {
        DrawTextW(dc, text.c_str(), -1, &area, flags | DT_VCENTER | DT_SINGLELINE);
    }
    if (focused && !(ui & UISF_HIDEFOCUS) && w > 8 && h > 8) {
        RECT f = {3, 3, w - 3, h - 3};
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &f);
    }
    canvas.CopyTo(target);
}

bool DrawsFrame(HWND hwnd) {
    if (!IsWindow(hwnd)) return false;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
    if (style & WS_CHILD) return false;
    if ((style & WS_CAPTION) != WS_CAPTION) return false;
    if (style & (WS_VSCROLL | WS_HSCROLL)) return false;
    if (ex & (WS_EX_TOOLWINDOW | WS_EX_MDICHILD | WS_EX_LAYOUTRTL)) return false;
    if (GetMenu(hwnd)) return false;
    return !IsIconic(hwnd);
}

bool CaptionButtonEnabled(HWND hwnd, int hit) {
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    switch (hit) {
    case HTMINBUTTON: return (style & WS_MINIMIZEBOX) != 0;
    case HTMAXBUTTON: return (style & WS_MAXIMIZEBOX) != 0;
    case HTCLOSE: {
        if (GetClassLongW(hwnd, GCL_STYLE) & CS_NOCLOSE) return false;
        HMENU system = GetSystemMenu(hwnd, FALSE);
        if (!system) return true;
        const UINT state = GetMenuState(system, SC_CLOSE, MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
    }
    default: return false;
    }
}

namespace {

LRESULT HitAt(HWND hwnd, int screenX, int screenY) {
    return DefWindowProcW(hwnd, WM_NCHITTEST, 0,
                          MAKELPARAM(static_cast<WORD>(static_cast<short>(screenX)),
                                     static_cast<WORD>(static_cast<short>(screenY))));
}

bool IsCaptionButton(LRESULT hit) {
    return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON || hit == HTHELP;
}

HICON SmallIcon(HWND hwnd) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    return icon;
}

void DrawCaptionGlyph(HDC dc, HWND hwnd, int hit, const RECT& box, COLORREF color) {
    const int bw = box.right - box.left, bh = box.bottom - box.top;
    const int s = std::max(std::min(bw, bh) - 8, 5);
    const int x = box.left + (bw - s) / 2, y = box.top + (bh - s) / 2;
    const int weight = s >= 9 ? 2 : 1;
    GdiObject pen(CreatePen(PS_SOLID, weight, color));
    Selected usePen(dc, pen.get());
    switch (hit) {
    case HTCLOSE:
        Line(dc, x, y, x + s, y + s);
        Line(dc, x + s - 1, y, x - 1, y + s);
        break;
    case HTMINBUTTON:
        FillSolid(dc, {x, y + s - weight, x + s, y + s}, color);
        break;
    case HTMAXBUTTON:
        if (IsZoomed(hwnd)) {
            const int d = std::max(s / 3, 2);
            const RECT back = {x + d, y, x + s, y + s - d};
            const RECT front = {x, y + d, x + s - d, y + s};
            FillSolid(dc, {back.left, back.top, back.right, back.top + weight}, color);
            FillSolid(dc, {back.right - 1, back.top, back.right, back.bottom}, color);
            FillSolid(dc, {front.left, front.top, front.right, front.top + weight}, color);
            FrameRect(dc, &front, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        } else {
            FillSolid(dc, {x, y, x + s, y + weight}, color);
            const RECT outline = {x, y, x + s, y + s};
            FrameRect(dc, &outline, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        }
        break;
    case HTHELP: {
        RECT r = box;
        SetTextColor(dc, color);
        DrawTextW(dc, L"?", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        break;
    }
    default:
        break;
    }
}

const CaptionLayout& LayoutOf(HWND hwnd, CaptionLayout& layout, const RECT& caption, const RECT& outer) {
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const int ch = caption.bottom - caption.top;
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE), ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
    if (layout.valid && layout.width == width && layout.height == height && layout.captionHeight == ch &&
        layout.style == style && layout.exStyle == ex) {
        return layout;
    }
    layout = CaptionLayout();
    layout.valid = true;
    layout.width = width;
    layout.height = height;
    layout.captionHeight = ch;
    layout.style = style;
    layout.exStyle = ex;
    const int midY = outer.top + (caption.top + caption.bottom) / 2;
    for (int x = caption.right - 1; x >= caption.left; --x) {
        const LRESULT hit = HitAt(hwnd, outer.left + x, midY);
        if (IsCaptionButton(hit)) {
            if (!layout.buttons.empty() && layout.buttons.back().hit == hit && layout.buttons.back().left == x + 1) {
                layout.buttons.back().left = x;
            } else {
                layout.buttons.push_back({static_cast<int>(hit), x, x});
            }
        } else if (!layout.buttons.empty() || caption.right - x > 6 * ch) {
            break;
        }
    }
    layout.iconRight = caption.left;
    for (int x = caption.left; x < caption.right && x < caption.left + 2 * ch; ++x) {
        if (HitAt(hwnd, outer.left + x, midY) != HTSYSMENU) break;
        layout.iconRight = x + 1;
    }
    return layout;
}

void PaintCaption(HWND hwnd, HDC dc, const Library& lib, const RECT& caption, const RECT& outer,
                  SkinnedWindow& state) {
    const SkinTheme& t = lib.theme;
    const bool active = state.active;
    const int held = state.heldButton;
    const int cw = caption.right - caption.left, ch = caption.bottom - caption.top;
    switch (t.metrics[kCaptionStyle]) {
    case kCaptionHorizontal:
        for (int x = 0; x < cw; ++x) {
            FillSolid(dc, {caption.left + x, caption.top, caption.left + x + 1, caption.bottom},
                      ToColorRef(CaptionColorAt(t, active, x, 0, cw, ch)));
        }
        break;
    case kCaptionVertical:
        for (int y = 0; y < ch; ++y) {
            FillSolid(dc, {caption.left, caption.top + y, caption.right, caption.top + y + 1},
                      ToColorRef(CaptionColorAt(t, active, 0, y, cw, ch)));
        }
        break;
    default:
        FillSolid(dc, caption, ToColorRef(CaptionColorAt(t, active, 0, 0, cw, ch)));
        break;
    }
    const uint32_t text = t.colors[active ? kCaptionText : kCaptionInactiveText];

    const CaptionLayout& layout = LayoutOf(hwnd, state.caption, caption, outer);
    const std::vector<CaptionPart>& buttons = layout.buttons;
    const int iconRight = layout.iconRight;
    int textLeft = caption.left + 6;
    if (iconRight > caption.left) {
        if (HICON icon = SmallIcon(hwnd)) {
            const int iw = GetSystemMetrics(SM_CXSMICON), ih = GetSystemMetrics(SM_CYSMICON);
            const int ix = caption.left + std::max<int>((iconRight - caption.left - iw) / 2, 1);
            DrawIconEx(dc, ix, caption.top + (ch - ih) / 2, icon, iw, ih, 0, nullptr, DI_NORMAL);
        }
        textLeft = iconRight + 4;
    }
    int textRight = caption.right - 4;
    for (const CaptionPart& b : buttons) textRight = std::min(textRight, b.left - 4);

    const std::wstring title = WindowText(hwnd);
    {
        Selected font(dc, FontOr(lib.captionFont));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ToColorRef(text));
        RECT r = {textLeft, caption.top, textRight, caption.bottom};
        DrawTextW(dc, title.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    for (const CaptionPart& b : buttons) {
        const RECT box = {b.left + 1, caption.top + 2, b.right, caption.bottom - 2};
        const uint32_t under = CaptionColorAt(t, active, (box.left + box.right) / 2 - caption.left, ch / 2, cw, ch);
        const bool down = held == b.hit;
        FillSolid(dc, box, ToColorRef(Mix(under, text, down ? 110 : 38)));
        const bool enabled = CaptionButtonEnabled(hwnd, b.hit);
        const COLORREF glyph = ToColorRef(enabled ? (down ? under : text) : Mix(text, under, 150));
        SetDCBrushColor(dc, glyph);
        DrawCaptionGlyph(dc, hwnd, b.hit, box, glyph);
    }
}

} // namespace

void PaintFrame(HWND hwnd, const Library& lib, SkinnedWindow& state, HDC into) {
    const bool active = state.active;
    if (!DrawsFrame(hwnd) || (!into && !IsWindowVisible(hwnd))) return;
    RECT outer = {};
    GetWindowRect(hwnd, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= 0 || h <= 0) return;
    RECT client = {};
    GetClientRect(hwnd, &client);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&client, origin.x - outer.left, origin.y - outer.top);

    std::optional<WindowDc> window;
    if (!into) window.emplace(hwnd, true);
    HDC target = into ? into : window->get();
    if (!target) return;
    Canvas canvas(target, w, h);
    if (!canvas.ok()) return;
    HDC dc = canvas.dc();

    const uint32_t frame = lib.theme.colors[active ? kFrame : kFrameInactive];
    FillSolid(dc, {0, 0, w, h}, ToColorRef(frame));
    const COLORREF line = ToColorRef(Mix(frame, 0x000000, 80));
    FillSolid(dc, {0, 0, w, 1}, line);
    FillSolid(dc, {0, h - 1, w, h}, line);
    FillSolid(dc, {0, 0, 1, h}, line);
    FillSolid(dc, {w - 1, 0, w, h}, line);

    const int border = std::max<int>(client.left, 1);
    const RECT caption = {border, border, w - border, client.top};
    if (caption.bottom > caption.top && caption.right > caption.left) {
        PaintCaption(hwnd, dc, lib, caption, outer, state);
    }
    const int saved = SaveDC(target);
    ExcludeClipRect(target, client.left, client.top, client.right, client.bottom);
    canvas.CopyTo(target);
    RestoreDC(target, saved);
}

void PaintControlEdge(HWND hwnd, const Library& lib, HDC into) {
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    const LONG ex = GetWindowLongW(hwnd, GWL_EXSTYLE);
    const int edge = ((ex & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0) +
                     ((style & WS_BORDER) ? GetSystemMetrics(SM_CXBORDER) : 0);
    if (edge <= 0) return;
    RECT outer = {};
    GetWindowRect(hwnd, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= 2 * edge || h <= 2 * edge) return;
    std::optional<WindowDc> window;
    if (!into) window.emplace(hwnd, true);
    HDC dc = into ? into : window->get();
    if (!dc) return;
    // Scroll bars and the client lie inside the edge and keep what was drawn.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, edge, edge, w - edge, h - edge);
    FillSolid(dc, {0, 0, w, h}, lib.Color(kListBack));
    const COLORREF border = lib.Color(kListBorder);
    FillSolid(dc, {0, 0, w, 1}, border);
    FillSolid(dc, {0, h - 1, w, h}, border);
    FillSolid(dc, {0, 0, 1, h}, border);
    FillSolid(dc, {w - 1, 0, w, h}, border);
    RestoreDC(dc, saved);
}

namespace {

const int kCheckArea = 22;
const int kAccelGap = 24;

void SplitAtTab(const std::wstring& text, std::wstring& label, std::wstring& accel) {
    const size_t tab = text.find(L'\t');
    label = text.substr(0, tab);
    accel = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

SIZE TextSize(HDC dc, const std::wstring& text) {
    RECT r = {0, 0, 0, 0};
    if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

void MeasureMenuItem(MEASUREITEMSTRUCT& item, const MenuItemSkin& skin, const Library& lib) {
    WindowDc screen(nullptr, false);
    if (!screen.get()) return;
    Selected font(screen.get(), FontOr(lib.menuFont));
    std::wstring label, accel;
    SplitAtTab(skin.text, label, accel);
    const SIZE l = TextSize(screen.get(), label);
    const SIZE a = TextSize(screen.get(), accel);
    TEXTMETRICW tm = {};
    GetTextMetricsW(screen.get(), &tm);
    item.itemWidth = static_cast<UINT>(lib.theme.metrics[kMenuStripWidth] + kCheckArea + l.cx +
                                       (accel.empty() ? 0 : kAccelGap + a.cx) + 12);
    item.itemHeight = static_cast<UINT>(std::max<int>(tm.tmHeight + 8, GetSystemMetrics(SM_CYMENUSIZE)));
}

void DrawMenuItem(const DRAWITEMSTRUCT& item, const MenuItemSkin& skin, const Library& lib) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool selected = (item.itemState & ODS_SELECTED) != 0 && !disabled;
    FillSolid(dc, r, lib.Color(selected ? kMenuHighlightBack : kMenuBack));
    const int strip = lib.theme.metrics[kMenuStripWidth];
    if (strip > 0) FillSolid(dc, {r.left, r.top, r.left + strip, r.bottom}, lib.Color(kMenuStrip));

    const COLORREF ink = lib.Color(disabled ? kMenuDisabledText : selected ? kMenuHighlightText : kMenuText);
    if (item.itemState & ODS_CHECKED) {
        GdiObject pen(CreatePen(PS_SOLID, 2, ink));
        Selected usePen(dc, pen.get());
        const int x = r.left + strip + 6, y = (r.top + r.bottom) / 2;
        Line(dc, x, y, x + 3, y + 3);
        Line(dc, x + 3, y + 3, x + 9, y - 4);
    }
    std::wstring label, accel;
    SplitAtTab(skin.text, label, accel);
    Selected font(dc, FontOr(lib.menuFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    RECT text = {r.left + strip + kCheckArea, r.top, r.right - 12, r.bottom};
    DrawTextW(dc, label.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | prefix);
    if (!accel.empty()) DrawTextW(dc, accel.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | prefix);
}

} // namespace orvex::skinlib

// The skin library itself, loaded as built: which blocks it takes, what it
// draws once a skin is attached, and what it gives back when unloaded.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "skin_test_support.h"
#include "support/test_env.h"

namespace orvex::test {
namespace {

using Attach = int(WINAPI*)(const void*, int, const char*, int, int, int);

const wchar_t kTestClass[] = L"OrvexSkinTestWindow";

// Memory from VirtualAlloc, released with the object.
class Pages {
public:
    Pages(size_t size, DWORD type, DWORD protect) : base_(VirtualAlloc(nullptr, size, type, protect)) {}
    ~Pages() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    }
    Pages(const Pages&) = delete;
    Pages& operator=(const Pages&) = delete;
    uint8_t* get() const { return static_cast<uint8_t*>(base_); }
    void Release() {
        if (base_) VirtualFree(base_, 0, MEM_RELEASE);
        base_ = nullptr;
    }

private:
    void* base_;
};

// A hidden top-level window with the controls the tool uses.
struct TestWindow {
    HWND frame = nullptr, label = nullptr, button = nullptr, list = nullptr, listBox = nullptr;

    TestWindow() {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc = {};
        if (!GetClassInfoExW(instance, kTestClass, &wc)) {
            wc = {};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = instance;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = kTestClass;
            RegisterClassExW(&wc);
        }
        frame = CreateWindowExW(0, kTestClass, L"skin test", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                instance, nullptr);
        label = CreateWindowExW(0, L"STATIC", L"label", WS_CHILD | WS_VISIBLE | SS_LEFT, 4, 4, 80, 16, frame, nullptr,
                                instance, nullptr);
        button = CreateWindowExW(0, L"BUTTON", L"&OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4, 24, 72, 22, frame,
                                 reinterpret_cast<HMENU>(1), instance, nullptr);
        list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 90, 4, 120, 80,
                               frame, reinterpret_cast<HMENU>(2), instance, nullptr);
        listBox = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 90, 80, 60, frame,
                                  reinterpret_cast<HMENU>(3), instance, nullptr);
        // The program's own list colours, as the tool sets them.
        ListView_SetBkColor(list, RGB(255, 255, 255));
        ListView_SetTextColor(list, RGB(0, 0, 0));
    }
    ~TestWindow() {
        if (frame) DestroyWindow(frame);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
};

// Small drawing surface for messages that draw into a DC the caller gives.
class Surface {
public:
    Surface(int width, int height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (dc_.get() && bitmap_) old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Surface() {
        if (old_) SelectObject(dc_.get(), old_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

private:
    MemoryDc dc_{nullptr};
    GdiObject bitmap_;
    HGDIOBJ old_ = nullptr;
};

COLORREF ErasedColor(HWND hwnd) {
    Surface s(4, 4);
    SendMessageW(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.dc()), 0);
    return s.At(1, 1);
}

// The button as it paints itself, at (x, y) of its client area.
COLORREF ButtonPixel(HWND button, int x, int y) {
    RECT r = {};
    GetClientRect(button, &r);
    Surface s(r.right, r.bottom);
    SendMessageW(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return s.At(x, y);
}

struct ControlColors {
    COLORREF text, brush;
};

ControlColors AskColors(HWND parent, UINT msg, HWND control) {
    Surface s(2, 2);
    SetTextColor(s.dc(), RGB(1, 2, 3));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, msg, reinterpret_cast<WPARAM>(s.dc()), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH lb = {};
    if (!brush || !GetObjectW(brush, sizeof lb, &lb)) lb.lbColor = CLR_INVALID;
    return {GetTextColor(s.dc()), lb.lbColor};
}

class SkinLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        library.reset(LoadLibraryA(BuiltLibraryPath().c_str()));
        ASSERT_TRUE(library) << BuiltLibraryPath();
        attach = reinterpret_cast<Attach>(reinterpret_cast<void*>(GetProcAddress(library.get(), "SkinH_AttachRes")));
        ASSERT_NE(attach, nullptr);
    }
    void TearDown() override {
        library.reset();
        DrainMessages();
    }
    int AttachBlock(const void* block, int count) { return attach(block, count, "", 0, 0, 0); }

    Module library;
    Attach attach = nullptr;
};

// Checks that the controls of `w` are drawn in skin `t`.
void ExpectSkinned(const TestWindow& w, const skin::SkinTheme& t, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(Hex(ErasedColor(w.frame)), Hex(ColorOf(t.colors[skin::kWindowBack])));
    const ControlColors label = AskColors(w.frame, WM_CTLCOLORSTATIC, w.label);
    EXPECT_EQ(Hex(label.text), Hex(ColorOf(t.colors[skin::kWindowText])));
    EXPECT_EQ(Hex(label.brush), Hex(ColorOf(t.colors[skin::kWindowBack])));
    const ControlColors box = AskColors(w.frame, WM_CTLCOLORLISTBOX, w.listBox);
    EXPECT_EQ(Hex(box.text), Hex(ColorOf(t.colors[skin::kListText])));
    EXPECT_EQ(Hex(box.brush), Hex(ColorOf(t.colors[skin::kListBack])));
    EXPECT_EQ(Hex(ListView_GetBkColor(w.list)), Hex(ColorOf(t.colors[skin::kListBack])));
    EXPECT_EQ(Hex(ListView_GetTextColor(w.list)), Hex(ColorOf(t.colors[skin::kListText])));
    RECT r = {};
    GetClientRect(w.button, &r);
    EXPECT_EQ(Hex(ButtonPixel(w.button, 2, r.bottom / 2)),
              Hex(ColorOf(skin::ButtonFaceAt(t, skin::kLookNormal, r.bottom / 2, r.bottom))));
}

void ExpectPlain(const TestWindow& w, const char* which) {
    SCOPED_TRACE(which);
    EXPECT_EQ(Hex(ErasedColor(w.frame)), Hex(GetSysColor(COLOR_BTNFACE)));
    EXPECT_NE(Hex(AskColors(w.frame, WM_CTLCOLORSTATIC, w.label).text), Hex(ColorOf(Theme(13).colors[skin::kWindowText])));
    EXPECT_EQ(Hex(ListView_GetBkColor(w.list)), Hex(RGB(255, 255, 255)));
    EXPECT_EQ(Hex(ListView_GetTextColor(w.list)), Hex(RGB(0, 0, 0)));
}

TEST_F(SkinLibraryTest, BlocksItCannotUseLeaveTheWindowsAsTheyAre) {
    const std::vector<uint8_t> good = skin::SkinBlock(13);
    const int size = static_cast<int>(good.size());
    std::vector<uint8_t> otherMagic = good;
    otherMagic[1] = 'X';
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    std::vector<uint8_t> huge(skin::kMaxSkinBytes + 1, 0);
    std::memcpy(huge.data(), good.data(), good.size());

    Pages noAccess(4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    Pages reserved(4096, MEM_RESERVE, PAGE_NOACCESS);
    // A block whose second half lies on a page that cannot be read.
    Pages edge(8192, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(edge.get(), nullptr);
    uint8_t* straddling = edge.get() + 4096 - size / 2;
    std::memcpy(straddling, good.data(), static_cast<size_t>(size / 2));
    DWORD former = 0;
    ASSERT_TRUE(VirtualProtect(edge.get() + 4096, 4096, PAGE_NOACCESS, &former));

    struct Case {
        const char* name;
        const void* block;
        int count;
    };
    const Case cases[] = {
        {"null address, count 0", nullptr, 0},
        {"null address with a count", nullptr, size},
        {"a skin with count 0", good.data(), 0},
        {"a negative count", good.data(), -size},
        {"count one short", good.data(), size - 1},
        {"count one more than the skin says", longer.data(), size + 1},
        {"not our magic", otherMagic.data(), size},
        {"larger than any skin", huge.data(), static_cast<int>(huge.size())},
        {"memory that cannot be read", noAccess.get(), size},
        {"memory that is only reserved", reserved.get(), size},
        {"a block running into memory that cannot be read", straddling, size},
    };
    TestWindow before;
    for (const Case& c : cases) {
        EXPECT_EQ(AttachBlock(c.block, c.count), 0) << c.name;
        ExpectPlain(before, c.name);
    }
    TestWindow after;
    ExpectPlain(after, "created after the refusals");
}

TEST_F(SkinLibraryTest, DrawsTheThreadsWindowsNowAndLaterFromItsOwnCopy) {
    TestWindow before;
    {
        // Handed over in memory that is gone right after the call.
        const std::vector<uint8_t> block = skin::SkinBlock(13);
        Pages pages(4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        std::memcpy(pages.get(), block.data(), block.size());
        DWORD former = 0;
        VirtualProtect(pages.get(), 4096, PAGE_READONLY, &former);
        ASSERT_EQ(AttachBlock(pages.get(), static_cast<int>(block.size())), 1);
        pages.Release();
    }
    const skin::SkinTheme t = Theme(13);
    ExpectSkinned(before, t, "existing window");
    TestWindow after;
    ExpectSkinned(after, t, "window created later");

    // The program setting its own list colours again does not undo the skin.
    ListView_SetBkColor(after.list, RGB(255, 255, 255));
    EXPECT_EQ(Hex(ListView_GetBkColor(after.list)), Hex(ColorOf(t.colors[skin::kListBack])));

    // A second skin replaces the first everywhere.
    const std::vector<uint8_t> other = skin::SkinBlock(20);
    ASSERT_EQ(AttachBlock(other.data(), static_cast<int>(other.size())), 1);
    ExpectSkinned(before, Theme(20), "after the second skin");

    // Unloaded, the library gives every window back, the program's colours too.
    library.reset();
    ExpectPlain(before, "after unloading");
    ExpectPlain(after, "created later, after unloading");
    TestWindow fresh;
    ExpectPlain(fresh, "created after unloading");
}

struct MenuVisit {
    HWND owner;
    HMENU menu;
    bool ownerDrawn[3];
    LRESULT mnemonicCopy, mnemonicOther;
    COLORREF itemPixel;
    bool visited;
};
MenuVisit g_visit;

void CALLBACK LookIntoOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(g_visit.menu, static_cast<UINT>(i), TRUE, &info);
        g_visit.ownerDrawn[i] = (info.fType & MFT_OWNERDRAW) != 0;
    }
    g_visit.mnemonicCopy = SendMessageW(g_visit.owner, WM_MENUCHAR, MAKEWPARAM(L'c', MF_POPUP),
                                        reinterpret_cast<LPARAM>(g_visit.menu));
    g_visit.mnemonicOther = SendMessageW(g_visit.owner, WM_MENUCHAR, MAKEWPARAM(L'q', MF_POPUP),
                                         reinterpret_cast<LPARAM>(g_visit.menu));
    if (HWND popup = FindWindowW(L"#32768", nullptr)) {
        RECT r = {};
        GetWindowRect(popup, &r);
        WindowDcScope dc(popup);
        Capture shot(dc.get(), r.right - r.left, r.bottom - r.top);
        g_visit.itemPixel = shot.At(r.right - r.left - 8, 8);
    }
    g_visit.visited = true;
    EndMenu();
}

TEST_F(SkinLibraryTest, OpenPopupMenuIsDrawnInTheSkinAndGivenBackAfter) {
    TestWindow w;
    const std::vector<uint8_t> block = skin::SkinBlock(13);
    ASSERT_EQ(AttachBlock(block.data(), static_cast<int>(block.size())), 1);
    Menu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, 11, L"&Copy");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 12, L"&Zoom\tCtrl+Z");
    MENUITEMINFOW data = {};
    data.cbSize = sizeof data;
    data.fMask = MIIM_DATA;
    data.dwItemData = 0x1234;
    SetMenuItemInfoW(menu.get(), 0, TRUE, &data);

    g_visit = {};
    g_visit.owner = w.frame;
    g_visit.menu = menu.get();
    g_visit.itemPixel = CLR_INVALID;
    SetTimer(nullptr, 0, 200, LookIntoOpenMenu);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 10, 10, 0, w.frame, nullptr);

    ASSERT_TRUE(g_visit.visited);
    EXPECT_TRUE(g_visit.ownerDrawn[0]);
    EXPECT_FALSE(g_visit.ownerDrawn[1]) << "separators keep the system's drawing";
    EXPECT_TRUE(g_visit.ownerDrawn[2]);
    EXPECT_EQ(g_visit.mnemonicCopy, MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(HIWORD(g_visit.mnemonicOther), MNC_IGNORE);
    EXPECT_EQ(Hex(g_visit.itemPixel), Hex(ColorOf(Theme(13).colors[skin::kMenuBack])));

    // Closed, the menu is the program's again.
    const wchar_t* texts[] = {L"&Copy", nullptr, L"&Zoom\tCtrl+Z"};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(menu.get(), static_cast<UINT>(i), TRUE, &info));
        EXPECT_FALSE(info.fType & MFT_OWNERDRAW) << i;
        if (texts[i]) {
            EXPECT_STREQ(text, texts[i]) << i;
        }
        if (i == 0) {
            EXPECT_EQ(info.dwItemData, 0x1234u);
        }
        if (i == 2) {
            EXPECT_TRUE(info.fState & MFS_GRAYED);
        }
    }
    MENUINFO mi = {};
    mi.cbSize = sizeof mi;
    mi.fMask = MIM_BACKGROUND;
    GetMenuInfo(menu.get(), &mi);
    EXPECT_EQ(mi.hbrBack, nullptr);
}

} // namespace
} // namespace orvex::test

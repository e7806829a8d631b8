#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/wide_text.h"
#include "shell/drop_target.h"
#include "shell/file_chooser_window.h"
#include "support/main_window_fixture.h"

namespace orvex::test {
namespace {

// Data as a drag source offers it: one format in one medium.
class TestData final : public IDataObject {
public:
    TestData(CLIPFORMAT format, DWORD tymed, std::string bytes) : format_(format), tymed_(tymed), bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = --refs_;
        if (n == 0) delete this;
        return n;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* medium) override {
        if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
        *medium = {};
        if (tymed_ == TYMED_HGLOBAL) {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
            if (!block) return E_OUTOFMEMORY;
            memcpy(GlobalLock(block), bytes_.data(), bytes_.size());
            GlobalUnlock(block);
            medium->tymed = TYMED_HGLOBAL;
            medium->hGlobal = block;
            return S_OK;
        }
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) return E_OUTOFMEMORY;
        stream->Write(bytes_.data(), static_cast<ULONG>(bytes_.size()), nullptr);
        medium->tymed = TYMED_ISTREAM;
        medium->pstm = stream;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override {
        if (!f || f->cfFormat != format_) return DV_E_FORMATETC;
        if (!(f->tymed & tymed_)) return DV_E_TYMED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~TestData() = default;
    CLIPFORMAT format_;
    DWORD tymed_;
    std::string bytes_;
    ULONG refs_ = 1;
};

// A DROPFILES block with the paths (GBK) in ANSI or UTF-16 form.
std::string FileList(const std::vector<std::string>& paths, bool wide) {
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = wide ? TRUE : FALSE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::string& path : paths) {
        if (wide) {
            const std::wstring w = WideFromCodePage(path, 936);
            block.append(reinterpret_cast<const char*>(w.c_str()), (w.size() + 1) * sizeof(wchar_t));
        } else {
            block.append(path.c_str(), path.size() + 1);
        }
    }
    block.append(wide ? sizeof(wchar_t) : 1, '\0');
    return block;
}

struct DataRef {
    explicit DataRef(TestData* d) : data(d) {}
    ~DataRef() { data->Release(); }
    TestData* data;
};

TestData* Files(const std::vector<std::string>& paths, bool wide = false) {
    return new TestData(CF_HDROP, TYMED_HGLOBAL, FileList(paths, wide));
}

const DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

// A chooser that opens where no test drives it would hold the drop in its
// modal loop for ever: close it and remember.
bool g_driving = false;
bool g_strayChooser = false;

void CALLBACK CloseStrayChooser(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driving) return;
    if (HWND chooser = FindWindowW(kFileChooserClass, nullptr)) {
        g_strayChooser = true;
        DestroyWindow(chooser);
    }
}

class DropTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        list = window->iconList().hwnd();
        ASSERT_TRUE(BindDropTarget(list));
        target = static_cast<IDropTarget*>(GetPropA(list, "OleDropTargetInterface"));
        ASSERT_NE(target, nullptr);
        App().CurrentSourceFile = "before";
        App().PendingDropList = {"earlier 1", "earlier 2"};
        captionBefore = window->Caption();
        g_strayChooser = false;
        strayTimer_ = SetTimer(nullptr, 0, 200, &CloseStrayChooser);
    }
    void TearDown() override {
        KillTimer(nullptr, strayTimer_);
        EXPECT_FALSE(g_strayChooser) << "a chooser opened that no drop should open";
        App().CurrentSourceFile.clear();
        App().PendingDropList.clear();
        MainWindowTest::TearDown();
    }

    // A whole drag: enter, one move, then the drop; the effects shown on the
    // way and the drop's answer.
    struct Outcome {
        DWORD entered, moved, dropped;
        HRESULT answer;
    };
    Outcome Drag(IDataObject* data, DWORD keys, DWORD allowed = kAll) {
        Outcome o = {};
        POINTL at = {10, 10};
        o.entered = allowed;
        EXPECT_EQ(target->DragEnter(data, keys, at, &o.entered), S_OK);
        o.moved = allowed;
        EXPECT_EQ(target->DragOver(keys, at, &o.moved), S_OK);
        o.dropped = allowed;
        o.answer = target->Drop(data, keys, at, &o.dropped);
        return o;
    }

    void ExpectNothingLoaded(const char* name) {
        EXPECT_EQ(App().CurrentSourceFile, "before") << name;
        EXPECT_EQ(window->Caption(), captionBefore) << name;
        EXPECT_EQ(App().PendingDropList, (std::vector<std::string>{"earlier 1", "earlier 2"})) << name;
    }

    HWND list = nullptr;
    IDropTarget* target = nullptr;
    std::string captionBefore;

private:
    UINT_PTR strayTimer_ = 0;
};

TEST_F(DropTest, BindingTwiceIsRefused) {
    EXPECT_FALSE(BindDropTarget(list));
    EXPECT_EQ(GetPropA(list, "OleDropTargetInterface"), target);
}

TEST_F(DropTest, EffectFollowsKeysAndSourceWhileDragging) {
    struct Case {
        const char* name;
        DWORD keys;
        DWORD allowed;
        DWORD effect;
    };
    const Case cases[] = {
        {"no key", 0, kAll, DROPEFFECT_COPY},
        {"no key, move or link", 0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
        {"no key, link only", 0, DROPEFFECT_LINK, DROPEFFECT_LINK},
        {"Ctrl", MK_CONTROL, kAll, DROPEFFECT_COPY},
        {"Ctrl, no copy", MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_NONE},
        {"Shift", MK_SHIFT, kAll, DROPEFFECT_MOVE},
        {"Shift, no move", MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_NONE},
        {"Ctrl and Shift", MK_CONTROL | MK_SHIFT, kAll, DROPEFFECT_NONE},
    };
    DataRef data(Files({"C:\\a.dll"}));
    for (const Case& c : cases) {
        POINTL at = {5, 5};
        DWORD effect = c.allowed;
        EXPECT_EQ(target->DragEnter(data.data, c.keys | MK_LBUTTON, at, &effect), S_OK);
        EXPECT_EQ(effect, c.effect) << c.name << " (enter)";
        effect = c.allowed;
        EXPECT_EQ(target->DragOver(c.keys | MK_LBUTTON, at, &effect), S_OK);
        EXPECT_EQ(effect, c.effect) << c.name << " (move)";
        EXPECT_EQ(target->DragLeave(), S_OK);
    }
    ExpectNothingLoaded("leave");
}

TEST_F(DropTest, OnlyAFileListInGlobalMemoryIsTaken) {
    const std::string files = FileList({"C:\\a.dll"}, false);
    struct Case {
        const char* name;
        CLIPFORMAT format;
        DWORD tymed;
        std::string bytes;
    };
    const Case cases[] = {
        {"text", CF_TEXT, TYMED_HGLOBAL, std::string("C:\\a.dll", 9)},
        {"URL", static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator")), TYMED_HGLOBAL,
         std::string("http://example.com/a.dll", 25)},
        {"HTML", static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format")), TYMED_HGLOBAL,
         std::string("<a href=\"C:\\a.dll\">a</a>", 25)},
        {"file list in a stream", CF_HDROP, TYMED_ISTREAM, files},
    };
    for (const Case& c : cases) {
        DataRef data(new TestData(c.format, c.tymed, c.bytes));
        const Outcome o = Drag(data.data, 0);
        EXPECT_EQ(o.entered, static_cast<DWORD>(DROPEFFECT_NONE)) << c.name;
        EXPECT_EQ(o.moved, static_cast<DWORD>(DROPEFFECT_NONE)) << c.name;
        EXPECT_EQ(o.answer, E_FAIL) << c.name;
        EXPECT_EQ(o.dropped, static_cast<DWORD>(DROPEFFECT_NONE)) << c.name;
        ExpectNothingLoaded(c.name);
    }
}

TEST_F(DropTest, OnePathIsLoadedAtOnceWithoutTrailingSpaces) {
    TempFolder folder;
    const std::string file = folder.File("one \xD6\xD0.dll");
    ASSERT_TRUE(WriteFileBytes(file, "not a module"));
    struct Case {
        const char* name;
        std::string dropped;
        bool wide;
        DWORD keys;
        DWORD allowed;
    };
    const Case cases[] = {
        {"plain", file, false, 0, kAll},
        {"ASCII spaces", file + "   ", false, 0, kAll},
        {"ideographic and ASCII spaces, UTF-16 list", file + " \xA1\xA1 ", true, 0, kAll},
        // A move shown during the drag: the tool loads, the source keeps its file.
        {"Shift, move", file + " ", false, MK_SHIFT, DROPEFFECT_MOVE},
    };
    for (const Case& c : cases) {
        App().CurrentSourceFile = "before";
        DataRef data(Files({c.dropped}, c.wide));
        const Outcome o = Drag(data.data, c.keys, c.allowed);
        EXPECT_EQ(o.answer, E_FAIL) << c.name;
        EXPECT_EQ(o.dropped, static_cast<DWORD>(DROPEFFECT_NONE)) << c.name;
        EXPECT_EQ(App().CurrentSourceFile, file) << c.name;
        EXPECT_EQ(App().PendingDropList, (std::vector<std::string>{"earlier 1", "earlier 2"})) << c.name;
        EXPECT_EQ(FindWindowW(kFileChooserClass, nullptr), nullptr) << c.name;
        EXPECT_TRUE(FileExists(file)) << c.name;
    }
}

TEST_F(DropTest, DropsThatLoadNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> paths;
        DWORD keys;
        bool mainEnabled;
    };
    const Case cases[] = {
        {"empty file list", {}, 0, true},
        {"Ctrl and Shift held", {"C:\\a.dll"}, MK_CONTROL | MK_SHIFT, true},
        // The chooser of an earlier drop is still open over the window.
        {"main window disabled, one path", {"C:\\a.dll"}, 0, false},
        {"main window disabled, two paths", {"C:\\a.dll", "C:\\b.dll"}, 0, false},
    };
    for (const Case& c : cases) {
        EnableWindow(window->hwnd(), c.mainEnabled);
        DataRef data(Files(c.paths));
        const Outcome o = Drag(data.data, c.keys);
        if (!c.mainEnabled) {
            EXPECT_EQ(o.entered, static_cast<DWORD>(DROPEFFECT_NONE)) << c.name;
        }
        EXPECT_EQ(o.answer, E_FAIL) << c.name;
        EXPECT_EQ(FindWindowW(kFileChooserClass, nullptr), nullptr) << c.name;
        ExpectNothingLoaded(c.name);
    }
    EnableWindow(window->hwnd(), TRUE);
}

// What a timer saw of the chooser while the drop waited for it.
struct ChooserView {
    bool seen = false;
    std::string caption;
    LONG_PTR style = 0;
    int width = 0, height = 0;
    RECT listRect = {};
    std::vector<std::string> items;
    bool mainEnabled = true;
    bool centredForDesign = false;
    // At the moment the chooser was destroyed.
    bool destroyed = false;
    std::string loadedAtDestroy;
    std::string captionAtDestroy;
    bool mainEnabledAtDestroy = true;
};

enum class Close { PickSecond, Close };

struct ChooserDriver {
    ChooserView view;
    Close how = Close::PickSecond;
    HWND main = nullptr;
    HWND chooser = nullptr;
    int ticks = 0;
    bool acted = false;
};

ChooserDriver* g_driver = nullptr;
HHOOK g_hook = nullptr;

std::string ListText(HWND list, int i) {
    const LRESULT n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&w[0]));
    w.resize(static_cast<size_t>(n));
    return AnsiPath(w);
}

LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && g_driver && reinterpret_cast<HWND>(wParam) == g_driver->chooser) {
        g_driver->view.destroyed = true;
        g_driver->view.loadedAtDestroy = App().CurrentSourceFile;
        g_driver->view.mainEnabledAtDestroy = IsWindowEnabled(g_driver->main) != FALSE;
        wchar_t caption[512] = {};
        GetWindowTextW(g_driver->main, caption, 512);
        g_driver->view.captionAtDestroy = GbkText(caption);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void CALLBACK DriveChooser(HWND, UINT, UINT_PTR, DWORD) {
    ChooserDriver& d = *g_driver;
    HWND chooser = FindWindowW(kFileChooserClass, nullptr);
    if (!chooser) return;
    if (d.acted) {
        // Still open long after the pick: end the modal loop so the test fails
        // instead of hanging.
        if (++d.ticks > 100) DestroyWindow(chooser);
        return;
    }
    d.acted = true;
    d.chooser = chooser;
    ChooserView& v = d.view;
    v.seen = true;
    wchar_t caption[256] = {};
    GetWindowTextW(chooser, caption, 256);
    v.caption = GbkText(caption);
    v.style = GetWindowLongPtrW(chooser, GWL_STYLE);
    RECT r = {};
    GetWindowRect(chooser, &r);
    v.width = r.right - r.left;
    v.height = r.bottom - r.top;
    v.centredForDesign = r.left == (GetSystemMetrics(SM_CXSCREEN) - 382) / 2 &&
                         r.top == (GetSystemMetrics(SM_CYSCREEN) - 131) / 2;
    HWND list = GetDlgItem(chooser, kIdChooserList);
    GetWindowRect(list, &v.listRect);
    MapWindowPoints(nullptr, chooser, reinterpret_cast<POINT*>(&v.listRect), 2);
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) v.items.push_back(ListText(list, i));
    v.mainEnabled = IsWindowEnabled(d.main) != FALSE;

    if (d.how == Close::PickSecond) {
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(kIdChooserList, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    } else {
        SendMessageW(chooser, WM_CLOSE, 0, 0);
    }
}

class ChooserTest : public DropTest {
protected:
    ChooserView DropAndDrive(const std::vector<std::string>& paths, Close how, bool wide = false) {
        ChooserDriver driver;
        driver.how = how;
        driver.main = window->hwnd();
        g_driver = &driver;
        g_driving = true;
        g_hook = SetWindowsHookExW(WH_CBT, &WatchDestroy, nullptr, GetCurrentThreadId());
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &DriveChooser);
        DataRef data(Files(paths, wide));
        const Outcome o = Drag(data.data, 0);
        KillTimer(nullptr, timer);
        UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
        g_driver = nullptr;
        g_driving = false;
        EXPECT_EQ(o.answer, E_FAIL);
        EXPECT_EQ(o.dropped, static_cast<DWORD>(DROPEFFECT_NONE));
        // The drop returns only once the chooser is gone.
        EXPECT_FALSE(IsWindow(driver.chooser));
        EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
        EXPECT_EQ(App().PendingDropList, paths);
        return driver.view;
    }
};

TEST_F(ChooserTest, ThreePathsAreListedAndTheSecondIsPicked) {
    const std::string second = "C:\\orvex\\" + std::string(27, 'b') + ".dll";  // 40 bytes, the longest
    const std::vector<std::string> paths = {"C:\\a.dll", second, "D:\\\xD6\xD0\xCE\xC4\\c.exe"};
    ASSERT_EQ(second.size(), 40u);
    const ChooserView v = DropAndDrive(paths, Close::PickSecond, true);
    ASSERT_TRUE(v.seen);
    EXPECT_EQ(v.caption, "请双击选择一个文件提取图标");
    EXPECT_EQ(v.items, paths);
    EXPECT_FALSE(v.mainEnabled);
    EXPECT_EQ(v.width, 280);
    EXPECT_EQ(v.height, 131);
    EXPECT_EQ(v.listRect.left, 0);
    EXPECT_EQ(v.listRect.right - v.listRect.left, 276);
    EXPECT_EQ(v.listRect.bottom - v.listRect.top, 104);
    EXPECT_TRUE(v.centredForDesign);
    EXPECT_TRUE(v.style & WS_CAPTION);
    EXPECT_FALSE(v.style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    // The pick loads the second path unchanged, and the chooser goes only
    // after that load has ended, the main window still disabled.
    ASSERT_TRUE(v.destroyed);
    EXPECT_EQ(v.loadedAtDestroy, second);
    EXPECT_FALSE(v.mainEnabledAtDestroy);
    EXPECT_EQ(v.captionAtDestroy, window->Caption());
    EXPECT_NE(window->Caption(), captionBefore);
    EXPECT_EQ(App().CurrentSourceFile, second);
}

TEST_F(ChooserTest, WidthCountsBytesOfTwoByteCharactersAndHasNoBounds) {
    struct Case {
        const char* name;
        std::vector<std::string> paths;
        int width;
    };
    const Case cases[] = {
        // 3 + 8 + 4 bytes: 15 × 7, narrower than the system's smallest window.
        {"GBK characters, short", {"C:\\x", "C:\\\xD6\xD0\xCE\xC4\xD6\xD0\xCE\xC4.dll"}, 105},
        // Trailing spaces stay in a multi-file drop and count.
        {"wider than the screen", {std::string(230, 'w') + "  ", "C:\\y.dll"}, 232 * 7},
    };
    for (const Case& c : cases) {
        const ChooserView v = DropAndDrive(c.paths, Close::PickSecond);
        ASSERT_TRUE(v.seen) << c.name;
        EXPECT_EQ(v.items, c.paths) << c.name;
        EXPECT_EQ(v.width, c.width) << c.name;
        EXPECT_EQ(v.listRect.right - v.listRect.left, c.width - 4) << c.name;
        EXPECT_EQ(App().CurrentSourceFile, c.paths[1]) << c.name;
    }
}

TEST_F(ChooserTest, ClosedWithoutAPickLoadsNothing) {
    const std::vector<std::string> paths = {"C:\\a.dll", "C:\\b.dll"};
    const ChooserView v = DropAndDrive(paths, Close::Close);
    ASSERT_TRUE(v.seen);
    EXPECT_TRUE(v.destroyed);
    EXPECT_EQ(App().CurrentSourceFile, "before");
    EXPECT_EQ(window->Caption(), captionBefore);
}

} // namespace
} // namespace orvex::test

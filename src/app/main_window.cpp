#include "app/main_window.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "app/wide_text.h"
#include "common/core/text.h"
#include "export/commands.h"
#include "loading/icon_loader.h"

namespace orvex {

const char kMainCaption[] = "Zelvar ico图标提取器";
const char kDesignStatusText[] = "当前没有图标,共0个";

namespace {
const wchar_t kMainClass[] = L"OrvexMainWindow";
const int kDesignWidth = 347;
const int kDesignHeight = 227;
const char kNoteText[] = "右键单击图标可保存或复制";

HIMAGELIST CreateDesignImageList() {
    HIMAGELIST list = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 16);
    // The design image takes index 0; no item ever uses it.
    if (list) ImageList_ReplaceIcon(list, -1, LoadIcon(nullptr, IDI_APPLICATION));
    return list;
}
} // namespace

MainWindow::MainWindow() {
    openDialog_.save = false;
    openDialog_.title = "打开资源文件图标";
    openDialog_.filter = "所有文件(*.*)|*.*|运行文件(*.exe)|*.exe|动态链接库(*.dll)|*.dll|图标库(*.icl)|*.icl|图标文件(*.ico)|*.ico";
    openDialog_.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;

    saveDialog_.save = true;
    saveDialog_.title = "保存图标文件";
    saveDialog_.filter = "图标文件(*.ico)|*.ico|图片文件(*.bmp)|*.bmp";
    saveDialog_.defaultExt = "ico";
    saveDialog_.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
}

MainWindow::~MainWindow() {
    if (App().mainWindow == this) App().mainWindow = nullptr;
    // The menu bar was never attached to the window, so it is ours to destroy;
    // destroying it destroys the popup too.
    if (menuBar_) DestroyMenu(menuBar_);
}

bool MainWindow::Load(void (*startWork)(MainWindow&), bool show) {
    const DWORD style = WS_OVERLAPPEDWINDOW;
    if (!CreateTopLevel(kMainClass, style, 0, kDesignWidth, kDesignHeight, kMainCaption) || !controlsOk_) {
        return false;
    }
    App().mainWindow = this;
    CenterOnScreen();
    if (startWork) startWork(*this);
    if (!exists()) return false;
    // From here on every change of size lays the window out again.
    sizeHandlerReady_ = true;
    LayoutMainWindow();
    if (show) {
        ShowWindow(hwnd(), SW_SHOW);
        UpdateWindow(hwnd());
    }
    return true;
}

void MainWindow::CreateControls() {
    const MainLayout design = DesignLayout();
    bool ok = iconList_.Create(hwnd(), design.list, kIdIconList);
    if (ok) iconList_.SetImageList(CreateDesignImageList());
    ok = ok && status_.Create(hwnd(), design.status, kDesignStatusText, RGB(0, 136, 255), nullptr);

    LOGFONTW lf = {};
    lf.lfHeight = -14;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lstrcpyW(lf.lfFaceName, L"\x5B8B\x4F53");  // 宋体
    noteFont_.reset(CreateFontIndirectW(&lf));
    ok = ok && note_.Create(hwnd(), design.note, kNoteText, RGB(0, 0, 255), static_cast<HFONT>(noteFont_.get()));
    ok = ok && browse_.Create(hwnd(), design.browse, "&B.浏览", kIdBrowse);
    ok = ok && systemIcons_.Create(hwnd(), design.systemIcons, "&W.系统图标", kIdSystemIcons);

    menuBar_ = CreateMenu();
    popup_ = CreatePopupMenu();
    if (menuBar_ && popup_) {
        AppendMenuW(popup_, MF_STRING, kIdMenuCopy, WideText("&C.复制到剪切板").c_str());
        AppendMenuW(popup_, MF_STRING, kIdMenuSave, WideText("&Z.保存选中图标").c_str());
        AppendMenuW(popup_, MF_STRING, kIdMenuSaveAll, WideText("&S.保存全部图标").c_str());
        AppendMenuW(popup_, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(popup_, MF_STRING, kIdMenuAbout, WideText("&G.关                于").c_str());
        AppendMenuW(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(popup_), WideText("菜单").c_str());
    } else {
        ok = false;
    }
    controlsOk_ = ok;
}

void MainWindow::LayoutMainWindow() {
    MainLayout current;
    current.list = iconList_.Geometry();
    current.status = status_.Geometry();
    current.note = note_.Geometry();
    current.browse = browse_.Geometry();
    current.systemIcons = systemIcons_.Geometry();
    const RECT outer = Bounds();
    const MainLayout l = LayOut(current, ClientWidth(), outer.bottom - outer.top);
    iconList_.SetGeometry(l.list);
    systemIcons_.SetGeometry(l.systemIcons);
    browse_.SetGeometry(l.browse);
    status_.SetGeometry(l.status);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::UpdateStatusLine() {
    const int s = iconList_.Selection();
    const int n = iconList_.ItemCount();
    if (s == -1) {
        SetStatus("当前未选中图标,共" + Decimal(n) + "个");
    } else {
        SetStatus("当前选中第" + Decimal(s + 1) + "个图标,共" + Decimal(n) + "个");
    }
}

void MainWindow::PrepareListMenu() {
    const UINT selected = iconList_.Selection() == -1 ? MF_GRAYED : MF_ENABLED;
    EnableMenuItem(popup_, kIdMenuSave, MF_BYCOMMAND | selected);
    EnableMenuItem(popup_, kIdMenuCopy, MF_BYCOMMAND | selected);
    EnableMenuItem(popup_, kIdMenuSaveAll, MF_BYCOMMAND | (iconList_.ItemCount() == 0 ? MF_GRAYED : MF_ENABLED));
}

void MainWindow::ShowListMenu() {
    PrepareListMenu();
    POINT p = {};
    GetCursorPos(&p);
    TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, p.x + 3, p.y + 3, 0, hwnd(), nullptr);
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != iconList_.hwnd()) return 0;
    if (header.code == NM_CLICK) UpdateStatusLine();
    if (header.code == NM_RCLICK) ShowListMenu();
    return 0;
}

void MainWindow::OnCommand(int id) {
    switch (id) {
    case kIdBrowse: BrowseAndLoad(); break;
    case kIdSystemIcons: LoadSystemIcons(); break;
    case kIdMenuCopy: CopySelectedIcon(); break;
    case kIdMenuSave: SaveSelectedIcon(); break;
    case kIdMenuSaveAll: SaveAllIcons(); break;
    case kIdMenuAbout: break;  // does nothing
    default: break;
    }
}

LRESULT MainWindow::OnColorStatic(HDC dc, HWND label) {
    for (TransparentLabel* l : {&status_, &note_}) {
        if (l->hwnd() == label) {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, l->color());
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
    }
    return DefWindowProcW(hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (sizeHandlerReady_) LayoutMainWindow();
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

} // namespace orvex

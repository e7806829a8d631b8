#include "shell/file_chooser_window.h"

#include "app/app_state.h"
#include "loading/icon_loader.h"
#include "shell/core/drop_rules.h"

namespace orvex {

const wchar_t kFileChooserClass[] = L"OrvexFileChooser";
const char kFileChooserCaption[] = "请双击选择一个文件提取图标";

namespace {
const int kDesignWidth = 382;
const int kDesignHeight = 131;
const Rect kDesignList = {0, 0, 376, 104};
// A popup is never held to the system's minimum or maximum window size, so
// the width follows the longest path whatever it is. No system menu: the
// caption bar has no buttons.
const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
} // namespace

bool FileChooserWindow::Load(HWND owner) {
    if (!CreateTopLevel(kFileChooserClass, kStyle, 0, kDesignWidth, kDesignHeight, kFileChooserCaption, owner) ||
        !list_.hwnd()) {
        return false;
    }
    CenterOnScreen();
    OnCreated();
    return exists();
}

void FileChooserWindow::CreateControls() { list_.Create(hwnd(), kDesignList, kIdChooserList); }

void FileChooserWindow::OnCreated() {
    const std::vector<std::string>& paths = App().PendingDropList;
    for (const std::string& path : paths) list_.AddItem(path);
    SetWidth(ChooserWidth(paths));
}

void FileChooserWindow::OnSize() {
    const RECT outer = Bounds();
    list_.SetWidth(ChooserListWidth(outer.right - outer.left));
}

void FileChooserWindow::OnPick() {
    const std::string path = list_.ItemText(list_.Selection());
    LoadIconsFromFile(path);
    Destroy();
}

LRESULT FileChooserWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (list_.hwnd()) OnSize();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kIdChooserList && HIWORD(wParam) == LBN_DBLCLK) OnPick();
        return 0;
    default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
}

} // namespace orvex

// The tool's main window: the icon list, the status line, two buttons, a
// second label, the list's popup menu and the two file dialogs.
#pragma once
#include <windows.h>
#include <string>

#include "app/controls.h"
#include "app/core/layout.h"
#include "common/handles.h"
#include "app/prompts.h"
#include "app/window.h"

namespace orvex {

enum MainWindowIds : int {
    kIdIconList = 100,
    kIdBrowse = 201,
    kIdSystemIcons = 202,
    kIdMenuCopy = 301,
    kIdMenuSave = 302,
    kIdMenuSaveAll = 303,
    kIdMenuAbout = 304,
};

extern const char kMainCaption[];        // "Zelvar ico图标提取器"
extern const char kDesignStatusText[];   // "当前没有图标,共0个"

class MainWindow : public Window {
public:
    MainWindow();
    ~MainWindow() override;

    // Creates the window and its controls, runs the creation handler and the
    // layout, and only then shows the window. `startWork` is the creation
    // handler's work; it runs while the window is still hidden.
    bool Load(void (*startWork)(MainWindow&), bool show = true);

    IconListView& iconList() { return iconList_; }
    TransparentLabel& statusLine() { return status_; }
    TransparentLabel& noteLabel() { return note_; }
    PushButton& browseButton() { return browse_; }
    PushButton& systemIconsButton() { return systemIcons_; }
    FileDialogSettings& openDialog() { return openDialog_; }
    FileDialogSettings& saveDialog() { return saveDialog_; }
    HMENU listMenu() const { return popup_; }

    void SetStatus(const std::string& text) { status_.SetText(text); }

    // Handlers.
    void LayoutMainWindow();
    void UpdateStatusLine();
    void PrepareListMenu();  // the enabled flags of the menu's items
    void ShowListMenu();

protected:
    void CreateControls() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnNotify(const NMHDR& header);
    void OnCommand(int id);
    LRESULT OnColorStatic(HDC dc, HWND label);

    IconListView iconList_;
    TransparentLabel status_;
    TransparentLabel note_;
    PushButton browse_;
    PushButton systemIcons_;
    FileDialogSettings openDialog_;
    FileDialogSettings saveDialog_;
    HMENU menuBar_ = nullptr;  // hidden top entry "菜单"; owns popup_
    HMENU popup_ = nullptr;
    GdiObject noteFont_;
    bool controlsOk_ = false;
    bool sizeHandlerReady_ = false;
};

} // namespace orvex

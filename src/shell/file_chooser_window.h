// The window in which the user picks one of several dropped files.
#pragma once
#include <windows.h>

#include "app/controls.h"
#include "app/window.h"

namespace orvex {

extern const wchar_t kFileChooserClass[];
extern const char kFileChooserCaption[];  // "请双击选择一个文件提取图标"
enum : int { kIdChooserList = 101 };

class FileChooserWindow : public Window {
public:
    // Creates the window hidden and centred, lists the pending drop list and
    // fits the width to the longest path. Show it with RunModal.
    bool Load(HWND owner);

    ListBox& list() { return list_; }

    // Handlers.
    void OnCreated();
    void OnSize();
    void OnPick();

protected:
    void CreateControls() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    ListBox list_;
};

} // namespace orvex

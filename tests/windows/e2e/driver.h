// Driving the built tool from outside its process, as a user does: find its
// windows, click and type into them, read what they show.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/test_env.h"

namespace orvex::test {

// orvex.exe copied into a folder of its own and started there.
class RunningTool {
public:
    explicit RunningTool(const std::string& arguments = "");
    ~RunningTool();
    // The main window once it is visible (the start work has ended), or null.
    HWND main() const { return main_; }
    HWND list() const;
    DWORD processId() const { return process_->id(); }
    const TempFolder& folder() const { return dir_; }
    const std::string& exe() const { return exe_; }
    // A top-level window of the tool with this class and (GBK) caption.
    HWND WaitWindow(const wchar_t* className, const std::string& caption, DWORD milliseconds = 15000) const;
    // A dialog of the tool that shows `text` in one of its controls.
    HWND WaitDialogShowing(const std::string& text, DWORD milliseconds = 15000) const;
    // The open popup menu of the tool, or null.
    HWND WaitMenu(DWORD milliseconds = 10000) const;
    // Closes the tool as a user does and waits for its end; the exit code.
    DWORD Close();

private:
    TempFolder dir_;
    std::string exe_;
    std::unique_ptr<ChildProcess> process_;
    HWND main_ = nullptr;
};

std::string StatusLine(HWND main);
// Opens the folder tree of a folder browser down to `path` (a path below a
// drive) as a user does, and clicks that folder; false when it is not found.
bool ClickFolderInTree(const RunningTool& tool, HWND tree, const std::string& path, std::string* seen);
int ItemCount(HWND list);
// An item's icon rectangle in screen coordinates, read from the tool's
// process memory.
RECT ItemRect(const RunningTool& tool, int item);
POINT Center(const RECT& r);

// Real input at a screen point.
void LeftClick(POINT at);
void RightClick(POINT at);
void DoubleClick(POINT at);
// A key press delivered to a window of the tool (a menu, a dialog control).
void PressKey(HWND window, UINT vk, wchar_t ch);

// Waits until `read()` gives `want`; the last value read.
template <typename Read>
auto WaitFor(Read read, const decltype(read())& want, DWORD milliseconds = 10000) -> decltype(read()) {
    const DWORD start = GetTickCount();
    auto value = read();
    while (!(value == want) && GetTickCount() - start < milliseconds) {
        Sleep(50);
        value = read();
    }
    return value;
}

// A message box of the tool: its caption, its text; closed with its OK button.
struct SeenBox {
    bool shown = false;
    std::string text;
};
SeenBox TakeMessageBox(const RunningTool& tool, const std::string& caption, DWORD milliseconds = 15000);

// Presses a dialog button the way a click does.
void PressButton(HWND dialog, int id);
void SetControlText(HWND control, const std::string& text);
// The first child window of `parent` with this class, searching all levels.
HWND FindChild(HWND parent, const wchar_t* className);
HWND FindChildWithText(HWND parent, const std::string& text);
// "class:id:text" of every child, for failure messages.
std::string DescribeChildren(HWND parent);

} // namespace orvex::test

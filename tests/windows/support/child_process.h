// Running the built tool as a user would, and looking at it from outside.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace orvex::test {

class ChildProcess {
public:
    // Starts `exe` with `arguments` (already quoted as needed) in its folder.
    ChildProcess(const std::string& exe, const std::string& arguments);
    ~ChildProcess();
    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    // Waits for the process to end; its exit code, or STILL_ACTIVE on timeout.
    DWORD Wait(DWORD milliseconds);
    // The first top-level window of the process with `className` (and
    // `title`, when given), waiting up to `milliseconds`.
    HWND FindWindowOf(const wchar_t* className, const wchar_t* title, DWORD milliseconds) const;

private:
    PROCESS_INFORMATION info_ = {};
};

// The texts of a window's child windows, in Z order, as GBK.
std::vector<std::string> ChildTexts(HWND window);
std::string WindowText(HWND window);

// Copies the built tool into `folder`; the copy's path.
std::string CopyToolInto(const std::string& folder);

} // namespace orvex::test

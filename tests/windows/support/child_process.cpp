#include "support/child_process.h"

#include "app/wide_text.h"
#include "support/test_env.h"

namespace orvex::test {

ChildProcess::ChildProcess(const std::string& exe, const std::string& arguments) {
    std::string line = "\"" + exe + "\"";
    if (!arguments.empty()) line += " " + arguments;
    std::string folder = exe.substr(0, exe.find_last_of('\\'));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &info_)) {
        info_ = {};
    }
}

ChildProcess::~ChildProcess() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

DWORD ChildProcess::Wait(DWORD milliseconds) {
    if (!info_.hProcess) return STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {
struct FindState {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<FindState*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid) return TRUE;
    wchar_t cls[256] = {};
    GetClassNameW(hwnd, cls, 256);
    if (s->className && lstrcmpW(cls, s->className) != 0) return TRUE;
    if (s->title) {
        wchar_t text[512] = {};
        GetWindowTextW(hwnd, text, 512);
        if (lstrcmpW(text, s->title) != 0) return TRUE;
    }
    s->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<std::string>*>(lp)->push_back(WindowText(hwnd));
    return TRUE;
}
} // namespace

HWND ChildProcess::FindWindowOf(const wchar_t* className, const wchar_t* title, DWORD milliseconds) const {
    const DWORD start = GetTickCount();
    for (;;) {
        FindState s = {info_.dwProcessId, className, title, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&s));
        if (s.found) return s.found;
        if (GetTickCount() - start > milliseconds) return nullptr;
        if (info_.hProcess && WaitForSingleObject(info_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
}

std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return GbkText(text);
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, &CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::string CopyToolInto(const std::string& folder) {
    const std::string exe = EnvPath("ORVEX_EXE");
    const std::string copy = folder + "\\orvex.exe";
    CopyFileA(exe.c_str(), copy.c_str(), FALSE);
    return copy;
}

} // namespace orvex::test

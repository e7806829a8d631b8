#include "support/test_env.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <cstdlib>
#include <vector>

#include "common/handles.h"

namespace orvex::test {

std::string WinePath(const std::string& unixPath) {
    std::string p = "Z:" + unixPath;
    for (char& c : p) {
        if (c == '/') c = '\\';
    }
    return p;
}

std::string EnvPath(const char* name) {
    const char* v = std::getenv(name);
    return v ? WinePath(v) : std::string();
}

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + "orvex_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
}

namespace {
void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = dir + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}
} // namespace

TempFolder::~TempFolder() { RemoveTree(path_); }

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeShortcut(const std::string& at, const std::string& target, const std::string& arguments) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid())))
        return false;
    link->SetPath(target.c_str());
    if (!arguments.empty()) link->SetArguments(arguments.c_str());
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.putVoid()))) return false;
    wchar_t name[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, at.c_str(), -1, name, MAX_PATH);
    return SUCCEEDED(persist->Save(name, TRUE));
}

void DrainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace orvex::test

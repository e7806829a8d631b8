#include "app/prompts.h"

#include <commdlg.h>
#include <shlobj.h>
#include <cstdlib>
#include <vector>

#include "app/wide_text.h"

namespace orvex {

namespace {

class WindowsPrompts : public Prompts {
public:
    void ShowMessage(const std::string& text, int icon, const std::string& title) override {
        MessageBoxW(nullptr, WideText(text).c_str(), WideText(title).c_str(),
                    MB_OK | MB_TASKMODAL | static_cast<UINT>(icon));
    }

    bool ShowFileDialog(FileDialogSettings& s, HWND owner) override {
        std::wstring filter = WideText(s.filter);
        for (wchar_t& c : filter) {
            if (c == L'|') c = L'\0';
        }
        filter.append(2, L'\0');
        const std::wstring title = WideText(s.title);
        const std::wstring dir = WidePath(s.initialDir);
        const std::wstring ext = WideText(s.defaultExt);
        std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
        const std::wstring suggested = WidePath(s.fileName);
        suggested.copy(file.data(), std::min(suggested.size(), file.size() - 1));

        OPENFILENAMEW ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
        ofn.lpstrTitle = title.c_str();
        ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
        ofn.Flags = s.flags | OFN_EXPLORER;
        const BOOL ok = s.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
        if (!ok) return false;
        s.fileName = AnsiPath(file.data());
        return true;
    }

    std::string BrowseForFolder(const std::string& prompt, HWND owner) override {
        const std::wstring title = WideText(prompt);
        BROWSEINFOW bi = {};
        bi.hwndOwner = owner;
        bi.lpszTitle = title.c_str();
        bi.ulFlags = BIF_EDITBOX;
        PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
        if (!pidl) return {};
        wchar_t path[MAX_PATH] = {};
        const BOOL ok = SHGetPathFromIDListW(pidl, path);
        CoTaskMemFree(pidl);
        return ok ? AnsiPath(path) : std::string();
    }
};

WindowsPrompts g_windowsPrompts;
Prompts* g_prompts = &g_windowsPrompts;

} // namespace

Prompts& CurrentPrompts() { return *g_prompts; }

Prompts* SetPrompts(Prompts* prompts) {
    Prompts* former = g_prompts;
    g_prompts = prompts ? prompts : &g_windowsPrompts;
    return former;
}

void FatalError(const std::string& message) {
    CurrentPrompts().ShowMessage("运行时出错!\r\n\r\n错误信息：" + message + "\r\n", kIconError, "错误");
    std::exit(1);
}

} // namespace orvex

// Modal prompts: message boxes, the file dialogs and the folder browser.
// They are the one seam of the tool: the real prompts call Windows, tests
// install scripted ones that answer and record what was shown.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>

namespace orvex {

enum BoxIcon : int { kIconError = 16, kIconWarning = 48, kIconInformation = 64 };

struct FileDialogSettings {
    bool save = false;
    std::string title;        // GBK
    std::string filter;       // description|pattern|..., GBK
    std::string fileName;     // ANSI path; after a confirmation, the chosen path
    std::string initialDir;   // ANSI path
    std::string defaultExt;
    DWORD flags = 0;          // OFN_* options
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // An OK box with no owner, modal for the whole tool.
    virtual void ShowMessage(const std::string& text, int icon, const std::string& title) = 0;
    // Modal; true when the user confirmed (then settings.fileName is the path).
    virtual bool ShowFileDialog(FileDialogSettings& settings, HWND owner) = 0;
    // The chosen folder's path, or empty when cancelled or not a file-system folder.
    virtual std::string BrowseForFolder(const std::string& prompt, HWND owner) = 0;
};

// The prompts in force; the Windows ones unless a test installed others.
Prompts& CurrentPrompts();
// Installs `prompts` (nullptr restores the Windows ones); returns the former.
Prompts* SetPrompts(Prompts* prompts);

// The one way the tool stops itself: the fatal error box, then the process
// ends (the exit routine still runs).
[[noreturn]] void FatalError(const std::string& message);

} // namespace orvex

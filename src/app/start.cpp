#include "app/start.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <cstdlib>

#include "app/app_state.h"
#include "app/core/command_line.h"
#include "app/main_window.h"
#include "app/prompts.h"
#include "common/core/text.h"
#include "loading/icon_loader.h"
#include "shell/context_verb.h"
#include "shell/drop_target.h"
#include "skin/skin_install.h"

namespace orvex {

namespace {

void ExitRoutine() {
    AppState& app = App();
    app.CurrentSourceFile.clear();
    app.CurrentSourceFile.shrink_to_fit();
    std::vector<std::string>().swap(app.PendingDropList);
}

} // namespace

void TakeProgramLocation() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, n < MAX_PATH ? n : MAX_PATH);
    const size_t slash = FindLastSeparator(full, '\\');
    AppState& app = App();
    app.programDirectory = slash == std::string::npos ? std::string() : full.substr(0, slash);
    app.executableName = slash == std::string::npos ? full : full.substr(slash + 1);
}

std::string DesktopFolder() {
    char path[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
    std::string folder = path;
    if (folder.empty()) return {};
    if (FindLastSeparator(folder, '\\') != folder.size() - 1) folder += "\\";
    return folder;
}

void StartWork(MainWindow& window) {
    InstallSkin(13);
    BindDropTarget(window.iconList().hwnd());
    window.openDialog().initialDir = DesktopFolder();
    window.saveDialog().initialDir = DesktopFolder();
    for (const char* extension : {"dll", "exe", "ico", "lnk"}) {
        RegisterContextMenuVerb(extension, kVerbName, App().ExecutablePath());
    }
    const std::vector<std::string> files = SplitCommandLine(GetCommandLineA());
    for (const std::string& file : files) {
        LoadIconsFromFile(file);
    }
}

int RunTool() {
    OleInitialize(nullptr);
    TakeProgramLocation();
    SetCurrentDirectoryA(App().programDirectory.c_str());

    App().CurrentSourceFile.clear();
    App().PendingDropList.clear();
    std::atexit(ExitRoutine);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    int code = 0;
    {
        MainWindow window;
        if (!window.Load(&StartWork)) FatalError("载入启动窗口失败");
        code = RunEventLoop();
    }
    ExitRoutine();
    UnloadSkinLibrary();
    OleUninitialize();
    return code;
}

} // namespace orvex

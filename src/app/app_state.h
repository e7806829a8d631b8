// Process-wide state of the tool, shared by the handlers.
#pragma once
#include <string>
#include <vector>

namespace orvex {

class MainWindow;

struct AppState {
    // The working path of the last load that was started.
    std::string CurrentSourceFile;
    // The paths of the last drop of two or more files, in drop order.
    std::vector<std::string> PendingDropList;

    std::string programDirectory;  // no "\" at its end
    std::string executableName;    // extension included
    MainWindow* mainWindow = nullptr;

    std::string ExecutablePath() const { return programDirectory + "\\" + executableName; }
};

AppState& App();

} // namespace orvex

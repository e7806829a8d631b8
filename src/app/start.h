// Process start and end of the tool.
#pragma once
#include <string>

namespace orvex {

class MainWindow;

// The start sequence: prepares the process, loads the main window and runs
// the event loop until the last window of the tool is gone.
int RunTool();

// The main window's creation handler: the start work, in its fixed order.
void StartWork(MainWindow& window);

// The current user's desktop folder with a "\" at its end, or empty.
std::string DesktopFolder();

// Takes the program directory and executable name from the running
// executable's path.
void TakeProgramLocation();

} // namespace orvex

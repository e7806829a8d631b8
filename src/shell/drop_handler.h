// What a drop of files on the icon list does.
#pragma once
#include <string>

namespace orvex {

// One path is loaded at once, trailing spaces cut. Several paths become the
// pending drop list and open the chooser window, modal over the main window;
// this returns when the chooser has closed. No path loads nothing.
void HandleDroppedFiles(const std::string& dropText);

} // namespace orvex

// The one export operation behind the save and copy commands.
#pragma once
#include <string>

namespace orvex {

// Reads icon n (counted from 1) of an .ico file or of a module (.exe, .dll,
// .icl) and writes it: mode 0 to `destination` (.ico: the whole icon; .bmp:
// its first image), mode 1 to the clipboard (its first image). Mode outside
// 0..1 means 1; n of 0 or below means 1.
//
// Returns the number of icon groups in the source (1 for an .ico file) when
// the icon was read and its output written in full; 0 otherwise.
int ExportIcon(const std::string& source, int mode = 1, const std::string& destination = "", int n = 1);

} // namespace orvex

// Splitting the process command line into the files to load.
#pragma once
#include <string>
#include <vector>

namespace orvex {

// The arguments after the executable's path: quotes group an argument, bytes
// 0x01..0x20 separate arguments, and a two-byte character never ends one.
std::vector<std::string> SplitCommandLine(const std::string& line);

} // namespace orvex

// The Explorer context-menu verb that opens a file in the tool.
#pragma once
#include <string>

namespace orvex {

extern const char kVerbName[];  // "Pimbo - 提取图标 .&R"

// Writes ProgID\shell\<verb>\command for the file type of `extension` (with
// or without its "."); 1 when the command value was written, else 0.
int RegisterContextMenuVerb(const std::string& extension, const std::string& verb, const std::string& command);

} // namespace orvex

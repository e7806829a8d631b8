// Registry names and texts of the Explorer context-menu verb.
#pragma once
#include <string>

namespace orvex {

// The key of a file extension under HKEY_CLASSES_ROOT: "dll" and ".dll"
// both give ".dll".
std::string ExtensionKeyName(const std::string& extension);

// ProgID\shell\<verb>\command.
std::string VerbCommandKeyPath(const std::string& progId, const std::string& verb);

// The command Explorer runs: the program and the clicked file, each quoted,
// so a path with spaces reaches the tool whole and a program path with
// spaces cannot be taken for a shorter one ("C:\Program.exe").
std::string VerbCommandValue(const std::string& program);

} // namespace orvex

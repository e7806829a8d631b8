// Names and messages of the save commands.
#pragma once
#include <string>

namespace orvex {

// The name the save dialog suggests for a source path: its display name up
// to the last "."; empty when the name has no "." or begins with its last.
std::string SuggestedSaveName(const std::string& sourcePath);

// The file save-all writes for list position `number` (counted from 1).
std::string SaveAllFileName(const std::string& folder, int number);

struct Message {
    std::string text;
    int icon;
    std::string title;
};

// The one message that ends a save-all run over the file's own icons.
Message SaveAllOutcome(int saved, int failed);

} // namespace orvex

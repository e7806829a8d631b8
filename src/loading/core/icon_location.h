// Where a file type's icon lives, from the registry's DefaultIcon text.
#pragma once
#include <cstdint>
#include <string>

namespace orvex {

struct IconLocation {
    std::string modulePath;  // the file that holds the icon
    int32_t iconIndex = 0;   // >= 0: position counted from 0; other negatives: -resource id
};

// The extension of a path as the type lookup takes it: from the last "." to
// the end, the "." included; the whole path when it has no ".".
std::string TypeExtensionOf(const std::string& path);

// Splits a DefaultIcon text at its last ",": the module path before it, the
// integer value of the text after it. Without a "," the module path is empty
// and the index is the value of the whole text. A module path written in
// double quotes (common for paths with spaces) loses one enclosing pair.
IconLocation ParseIconText(const std::string& iconText);

// Splits a registry key text at its last "\": the key and the value name.
struct RegistryName {
    std::string key;
    std::string value;
};
RegistryName SplitRegistryName(const std::string& keyText);

} // namespace orvex

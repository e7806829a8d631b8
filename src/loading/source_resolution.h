// What the tool looks at for a file: a shortcut's target, a file type's
// registered icon.
#pragma once
#include <string>

#include "loading/core/icon_location.h"

namespace orvex {

// The shortcut's target path, then one space and its arguments when it has
// any; empty on any failure. The link is read, never resolved.
std::string ResolveShortcutTarget(const std::string& path);

// The icon registered for the path's file type (HKCR\<ext> → ProgID →
// ProgID\DefaultIcon); an empty module path and index 0 when there is none.
IconLocation LookupDefaultIcon(const std::string& path);

// The default or named value of a registry key text "key\value" under
// HKEY_CLASSES_ROOT: REG_SZ up to its first NUL, REG_EXPAND_SZ expanded,
// anything else empty.
std::string ReadRegistryText(const std::string& keyText);

} // namespace orvex

// Icon groups in modules (executables, DLLs, icon libraries), loaded as data
// files only: RT_GROUP_ICON lists an icon's images, each an RT_ICON.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "export/core/icon_records.h"

namespace orvex {

// A resource name: a text (copied, so that it outlives the enumeration that
// delivered it) or an integer id.
struct ResourceName {
    bool isText = false;
    std::string text;
    WORD id = 0;
    LPCSTR get() const { return isText ? text.c_str() : MAKEINTRESOURCEA(id); }
};

struct IconGroupLookup {
    int count = 0;                      // icon groups in the module
    std::optional<ResourceName> name;   // the name of group n, when there is one
};

// Counts the icon groups of a module loaded as a data file, in the order the
// system delivers them (text names first, then ids), and names group n
// (counted from 1).
IconGroupLookup FindIconGroupName(HMODULE module, int n);

// Reads the named group with all its images from the module at `path`,
// which it loads and releases itself; none when no name is given, the group
// or one of its images is missing, or any part of it is refused.
std::optional<IconGroup> ReadModuleIconGroup(const std::string& path, const std::optional<ResourceName>& name);

// The same from a module the caller has already loaded as a data file from
// `path`. Loading a module costs far more than reading a group from it, so
// an export that holds the module reads through this.
std::optional<IconGroup> ReadModuleIconGroup(HMODULE module, const std::string& path,
                                             const std::optional<ResourceName>& name);

} // namespace orvex

// Reading an .ico file into an IconGroup.
#pragma once
#include <optional>
#include <string>

#include "export/core/icon_records.h"

namespace orvex {

// The icon of an .ico file with all its images, in directory order; none
// when the file cannot be opened or any part of it is refused.
std::optional<IconGroup> ReadIcoFile(const std::string& path);

} // namespace orvex

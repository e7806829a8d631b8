// Putting an icon out: an .ico file of the whole group, a .bmp file of one
// image's colour bitmap, or one image on the clipboard as CF_DIB. Each
// returns true only when its output was written in full.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/core/icon_records.h"

namespace orvex {

// Replaces any file of that name.
bool WriteIcoFile(const IconGroup& group, const std::string& path);

// A PNG image is decoded to a 32-bit DIB first.
bool WriteBmpFile(const std::string& path, const IconImage& image);

// The clipboard is only touched once the block is ready, so a failed copy
// leaves what the user had there.
bool CopyImageToClipboard(const IconImage& image);

// A PNG image decoded by the platform (WIC) into a 32-bit icon DIB; none
// when it cannot be decoded.
std::optional<std::vector<uint8_t>> DecodePngToIconDib(const uint8_t* data, size_t size);

} // namespace orvex

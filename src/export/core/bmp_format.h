// The .bmp file of an icon image's colour bitmap (the mask is left out).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/core/icon_records.h"

namespace orvex {

constexpr size_t kBmpFileHeadBytes = 14;

enum class BmpError {
    BadImage,  // parts that cannot be located
    NotDib,    // a PNG stream: decode it to a DIB first
    TooLarge,  // the file length does not fit bfSize
};

// BITMAPFILEHEADER, the image's header with biHeight halved, its colour
// table and its colour bitmap.
Result<std::vector<uint8_t>, BmpError> BuildBmpFile(const uint8_t* image, size_t size);

} // namespace orvex

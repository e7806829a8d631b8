// The CF_DIB block of an icon image: all its bytes, mask included, with
// biHeight halved so that the header describes the colour bitmap alone.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/core/icon_records.h"

namespace orvex {

enum class ClipboardDibError {
    BadImage,  // no bytes, or parts that cannot be located
    NotDib,    // a PNG stream: decode it to a DIB first
};

Result<std::vector<uint8_t>, ClipboardDibError> BuildClipboardDib(const uint8_t* image, size_t size);

} // namespace orvex

#include "export/core/clipboard_dib.h"

#include "common/core/le_reader.h"
#include "export/core/dib.h"

namespace orvex {

Result<std::vector<uint8_t>, ClipboardDibError> BuildClipboardDib(const uint8_t* image, size_t size) {
    const Result<ImageLayout, ImageError> layout = ReadImageLayout(image, size);
    if (!layout) return ClipboardDibError::BadImage;
    if (layout.value().format != ImageFormat::Dib) return ClipboardDibError::NotDib;
    std::vector<uint8_t> block(image, image + size);
    putLe32(block.data() + kBiHeightOffset, static_cast<uint32_t>(layout.value().height));
    return block;
}

} // namespace orvex

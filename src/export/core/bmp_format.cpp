#include "export/core/bmp_format.h"

#include <limits>

#include "common/core/le_reader.h"
#include "export/core/dib.h"

namespace orvex {

Result<std::vector<uint8_t>, BmpError> BuildBmpFile(const uint8_t* image, size_t size) {
    const Result<ImageLayout, ImageError> layout = ReadImageLayout(image, size);
    if (!layout) return BmpError::BadImage;
    const ImageLayout& l = layout.value();
    if (l.format != ImageFormat::Dib) return BmpError::NotDib;

    // The header is taken at its own length (biSize), so that the colour
    // table follows it where the header says.
    const size_t fromImage = l.maskBits;  // header + colour table + colour bitmap
    const uint64_t fileSize = kBmpFileHeadBytes + uint64_t{fromImage};
    if (fileSize > std::numeric_limits<uint32_t>::max()) return BmpError::TooLarge;

    std::vector<uint8_t> file(static_cast<size_t>(fileSize));
    uint8_t* p = file.data();
    putLe16(p + 0, 0x4D42);  // "BM"
    putLe32(p + 2, static_cast<uint32_t>(fileSize));
    putLe16(p + 6, 0);
    putLe16(p + 8, 0);
    putLe32(p + 10, static_cast<uint32_t>(kBmpFileHeadBytes + l.colorBits));
    for (size_t i = 0; i < fromImage; ++i) p[kBmpFileHeadBytes + i] = image[i];
    putLe32(p + kBmpFileHeadBytes + kBiHeightOffset, static_cast<uint32_t>(l.height));
    return file;
}

} // namespace orvex

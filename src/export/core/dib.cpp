#include "export/core/dib.h"

#include <limits>

#include "common/core/le_reader.h"

namespace orvex {

namespace {

const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kPngHeaderEnd = 26;  // signature, IHDR length and type, width, height, depth, colour type

bool BigEndian32(const LeReader& r, size_t offset, uint32_t& out) {
    uint8_t b[4];
    for (size_t i = 0; i < 4; ++i) {
        if (!r.u8(offset + i, b[i])) return false;
    }
    out = (static_cast<uint32_t>(b[0]) << 24) | (static_cast<uint32_t>(b[1]) << 16) |
          (static_cast<uint32_t>(b[2]) << 8) | b[3];
    return true;
}

int ChannelsOf(uint8_t colorType) {
    switch (colorType) {
    case 0: return 1;  // grey
    case 2: return 3;  // RGB
    case 3: return 1;  // palette index
    case 4: return 2;  // grey + alpha
    case 6: return 4;  // RGBA
    default: return 0;
    }
}

// RowBytes without wrapping; none when the row length leaves 32 bits.
std::optional<int64_t> ExactRowBytes(const DibHeader& h) {
    // |65535 x 65535 x 2^31| stays below 2^63.
    const int64_t bits = static_cast<int64_t>(h.bitCount) * h.planes * h.width + 31;
    if (bits > std::numeric_limits<int32_t>::max() || bits < std::numeric_limits<int32_t>::min()) {
        return std::nullopt;
    }
    return (bits >> 3) & ~int64_t{3};
}

Result<ImageLayout, ImageError> PngLayout(const uint8_t* data, size_t size) {
    const std::optional<PngHeader> png = ReadPngHeader(data, size);
    if (!png) return ImageError::BadPng;
    ImageLayout l;
    l.format = ImageFormat::Png;
    l.width = png->width;
    l.height = png->height;
    l.bitDepth = png->bitsPerPixel;
    l.planes = 1;
    l.bitCount = png->bitsPerPixel;
    return l;
}

} // namespace

std::optional<DibHeader> ReadDibHeader(const uint8_t* data, size_t size) {
    const LeReader r(data, size);
    if (!r.has(0, kDibHeaderBytes)) return std::nullopt;
    DibHeader h;
    r.u32(0, h.size);
    r.i32(4, h.width);
    r.i32(8, h.height);
    r.u16(12, h.planes);
    r.u16(14, h.bitCount);
    r.u32(20, h.sizeImage);
    r.u32(32, h.clrUsed);
    return h;
}

uint32_t ColorTableEntries(const DibHeader& h) {
    if (h.clrUsed != 0) return h.clrUsed;
    switch (h.bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint16_t ColorTableBytes(const DibHeader& h) { return static_cast<uint16_t>(ColorTableEntries(h) * 4u); }

int32_t RowBytes(const DibHeader& h) {
    // Unsigned arithmetic wraps without undefined behaviour; the value is then
    // read back as the signed 32-bit number it stands for.
    const uint32_t bits = static_cast<uint32_t>(h.bitCount) * h.planes * static_cast<uint32_t>(h.width) + 31u;
    const int32_t signedBits = static_cast<int32_t>(bits);
    return (signedBits >> 3) & ~int32_t{3};
}

int32_t IconHeight(const DibHeader& h) { return h.height / 2; }

bool StartsWithPngSignature(const uint8_t* data, size_t size) {
    if (size < sizeof kPngSignature) return false;
    for (size_t i = 0; i < sizeof kPngSignature; ++i) {
        if (data[i] != kPngSignature[i]) return false;
    }
    return true;
}

std::optional<PngHeader> ReadPngHeader(const uint8_t* data, size_t size) {
    if (!StartsWithPngSignature(data, size) || size < kPngHeaderEnd) return std::nullopt;
    const LeReader r(data, size);
    if (data[12] != 'I' || data[13] != 'H' || data[14] != 'D' || data[15] != 'R') return std::nullopt;
    uint32_t width = 0, height = 0;
    BigEndian32(r, 16, width);
    BigEndian32(r, 20, height);
    PngHeader p;
    r.u8(24, p.bitDepth);
    r.u8(25, p.colorType);
    const int channels = ChannelsOf(p.colorType);
    const uint32_t limit = static_cast<uint32_t>(std::numeric_limits<int32_t>::max());
    if (channels == 0 || p.bitDepth == 0 || width > limit || height > limit) return std::nullopt;
    p.width = static_cast<int32_t>(width);
    p.height = static_cast<int32_t>(height);
    p.bitsPerPixel = static_cast<uint16_t>(p.bitDepth * channels);
    return p;
}

Result<ImageLayout, ImageError> ReadImageLayout(const uint8_t* data, size_t size) {
    if (StartsWithPngSignature(data, size)) return PngLayout(data, size);
    const std::optional<DibHeader> h = ReadDibHeader(data, size);
    if (!h || h->size < kDibHeaderBytes) return ImageError::ShortHeader;

    ImageLayout l;
    l.format = ImageFormat::Dib;
    l.width = h->width;
    l.height = IconHeight(*h);
    l.bitDepth = static_cast<uint32_t>(h->planes) * h->bitCount;
    l.planes = h->planes;
    l.bitCount = h->bitCount;
    l.headerBytes = h->size;

    // A table of 16384 entries or more does not fit the 16-bit length the
    // layout is worked out with: its colour bits would be placed wrongly.
    if (ColorTableEntries(*h) > 0xFFFFu / 4) return ImageError::Overflow;
    l.colorTableBytes = ColorTableBytes(*h);

    const std::optional<int64_t> rowBytes = ExactRowBytes(*h);
    if (!rowBytes) return ImageError::Overflow;
    if (*rowBytes < 0 || l.height < 0) return ImageError::NegativeExtent;
    l.rowBytes = static_cast<int32_t>(*rowBytes);

    // 64-bit sums: biSize up to 2^32, the bitmap up to 2^28 x 2^30.
    const uint64_t colorBits = uint64_t{h->size} + l.colorTableBytes;
    const uint64_t colorLength = static_cast<uint64_t>(*rowBytes) * static_cast<uint64_t>(l.height);
    if (colorBits > size || colorLength > size - colorBits) return ImageError::PartsBeyondBytes;
    l.colorBits = static_cast<size_t>(colorBits);
    l.colorBitsLength = static_cast<size_t>(colorLength);
    l.maskBits = l.colorBits + l.colorBitsLength;
    return l;
}

std::optional<ImageError> LocateImageParts(IconImage* image) {
    if (!image) return ImageError::NoImage;
    const Result<ImageLayout, ImageError> layout = ReadImageLayout(image->bytes.data(), image->bytes.size());
    if (!layout) return layout.error();
    const ImageLayout& l = layout.value();
    image->width = l.width;
    image->height = l.height;
    image->bitDepth = l.bitDepth;
    image->format = l.format;
    image->colorBits = l.colorBits;
    image->maskBits = l.maskBits;
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> MakeIconDib(int32_t width, int32_t height, const uint8_t* bgraTopDown,
                                                size_t stride) {
    if (width <= 0 || height <= 0 || height > std::numeric_limits<int32_t>::max() / 2) return std::nullopt;
    const uint64_t colorRow = uint64_t{4} * static_cast<uint32_t>(width);
    const uint64_t maskRow = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
    const uint64_t total = kDibHeaderBytes + (colorRow + maskRow) * static_cast<uint32_t>(height);
    if (stride < colorRow || total > std::numeric_limits<int32_t>::max()) return std::nullopt;

    std::vector<uint8_t> dib(static_cast<size_t>(total), 0);
    uint8_t* p = dib.data();
    putLe32(p + 0, kDibHeaderBytes);
    putLe32(p + 4, static_cast<uint32_t>(width));
    putLe32(p + 8, static_cast<uint32_t>(height) * 2);
    putLe16(p + 12, 1);
    putLe16(p + 14, 32);
    // Compression BI_RGB, every other field 0.

    const size_t rows = static_cast<size_t>(height);
    uint8_t* color = p + kDibHeaderBytes;
    uint8_t* mask = color + colorRow * rows;
    for (size_t y = 0; y < rows; ++y) {
        // DIB rows run bottom-up.
        const uint8_t* src = bgraTopDown + (rows - 1 - y) * stride;
        uint8_t* colorOut = color + y * colorRow;
        uint8_t* maskOut = mask + y * maskRow;
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            for (size_t c = 0; c < 4; ++c) colorOut[x * 4 + c] = src[x * 4 + c];
            if (src[x * 4 + 3] == 0) maskOut[x / 8] = static_cast<uint8_t>(maskOut[x / 8] | (0x80u >> (x % 8)));
        }
    }
    return dib;
}

} // namespace orvex

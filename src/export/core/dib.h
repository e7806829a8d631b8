// The parts of an icon image: a DIB (BITMAPINFOHEADER, colour table, colour
// bitmap, mask) or a PNG stream. Everything here is checked against the
// image's byte count.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "export/core/icon_records.h"

namespace orvex {

constexpr size_t kDibHeaderBytes = 40;  // BITMAPINFOHEADER
constexpr size_t kBiHeightOffset = 8;
constexpr size_t kBiSizeImageOffset = 20;

// The BITMAPINFOHEADER fields the export uses.
struct DibHeader {
    uint32_t size = 0;  // biSize
    int32_t width = 0;
    int32_t height = 0;  // twice the icon's height in an icon image
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
};

// The first 40 bytes as a header; none when there are fewer.
std::optional<DibHeader> ReadDibHeader(const uint8_t* data, size_t size);

// biClrUsed when set, else 2, 16 or 256 for 1, 4 or 8 bits, else 0.
uint32_t ColorTableEntries(const DibHeader& h);
// ColorTableEntries x 4, kept in 16 bits.
uint16_t ColorTableBytes(const DibHeader& h);
// One row of the colour bitmap in bytes, rounded up to whole 32-bit words,
// worked out in 32-bit signed arithmetic (wrapping when it leaves 32 bits).
int32_t RowBytes(const DibHeader& h);
// The icon's height: half the stored height, truncated toward zero.
int32_t IconHeight(const DibHeader& h);

// What the IHDR chunk of a PNG stream says.
struct PngHeader {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t bitDepth = 0;   // per channel
    uint8_t colorType = 0;
    uint16_t bitsPerPixel = 0;  // depth x channels
};
bool StartsWithPngSignature(const uint8_t* data, size_t size);
std::optional<PngHeader> ReadPngHeader(const uint8_t* data, size_t size);

enum class ImageError {
    NoImage,          // no record given
    ShortHeader,      // fewer bytes than a BITMAPINFOHEADER, or biSize below 40
    NegativeExtent,   // negative row length or height: the parts have no place
    Overflow,         // the row length or colour table does not fit its field
    PartsBeyondBytes, // colour table or colour bitmap ends past the bytes
    BadPng,           // a PNG signature without a usable IHDR
};

// Where the parts of one image lie; every range is inside the image bytes.
struct ImageLayout {
    ImageFormat format = ImageFormat::Dib;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t bitDepth = 0;
    uint16_t planes = 0;    // DIB: biPlanes; PNG: 1
    uint16_t bitCount = 0;  // DIB: biBitCount; PNG: bits per pixel
    // DIB only.
    uint32_t headerBytes = 0;   // biSize
    uint16_t colorTableBytes = 0;
    int32_t rowBytes = 0;
    size_t colorBits = 0;       // headerBytes + colorTableBytes
    size_t colorBitsLength = 0; // rowBytes x height
    size_t maskBits = 0;        // colorBits + colorBitsLength, at most the byte count
};

Result<ImageLayout, ImageError> ReadImageLayout(const uint8_t* data, size_t size);

// Fills the derived fields of an image whose bytes are set. An image refused
// here leaves the fields as they were; its group is refused by the readers.
std::optional<ImageError> LocateImageParts(IconImage* image);

// An icon-style DIB (stored height doubled, AND mask after the colour
// bitmap) from 32-bit BGRA pixels given top row first; the mask marks the
// fully transparent pixels. None when the sizes do not fit a DIB.
std::optional<std::vector<uint8_t>> MakeIconDib(int32_t width, int32_t height, const uint8_t* bgraTopDown,
                                                size_t stride);

} // namespace orvex

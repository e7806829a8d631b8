#include <gtest/gtest.h>

#include "../../windows/fixtures/icon_samples.h"
#include "common/core/le_reader.h"
#include "export/core/dib.h"

namespace orvex {
namespace {

using samples::Bytes;
using samples::Dib;
using samples::MakeDib;

DibHeader Header(uint16_t bitCount, uint32_t clrUsed, int32_t width = 32, uint16_t planes = 1) {
    DibHeader h;
    h.size = 40;
    h.width = width;
    h.height = 64;
    h.planes = planes;
    h.bitCount = bitCount;
    h.clrUsed = clrUsed;
    return h;
}

TEST(DibTest, ColourTableByDepthAndClrUsed) {
    struct Case {
        uint16_t bitCount;
        uint32_t clrUsed;
        uint16_t planes;
        uint32_t entries;
        uint16_t bytes;
    };
    const Case cases[] = {
        {1, 0, 1, 2, 8},       {4, 0, 1, 16, 64},   {8, 0, 1, 256, 1024}, {24, 0, 1, 0, 0},
        {32, 0, 1, 0, 0},      {16, 0, 1, 0, 0},    {0, 0, 1, 0, 0},      {24, 5, 1, 5, 20},
        {1, 5, 1, 5, 20},      {8, 0, 0, 256, 1024},  // planes play no part
        {4, 16384, 1, 16384, 0},                    // the byte count is kept in 16 bits
    };
    for (const Case& c : cases) {
        const DibHeader h = Header(c.bitCount, c.clrUsed, 32, c.planes);
        EXPECT_EQ(ColorTableEntries(h), c.entries) << c.bitCount << "/" << c.clrUsed;
        EXPECT_EQ(ColorTableBytes(h), c.bytes) << c.bitCount << "/" << c.clrUsed;
    }
}

TEST(DibTest, RowBytesAndHeight) {
    EXPECT_EQ(RowBytes(Header(4, 0, 32)), 16);
    EXPECT_EQ(RowBytes(Header(1, 0, 32)), 4);
    EXPECT_EQ(RowBytes(Header(32, 0, 32)), 128);
    EXPECT_EQ(RowBytes(Header(24, 0, 3)), 12);   // 9 bytes rounded up to a word
    EXPECT_EQ(RowBytes(Header(8, 0, 32, 0)), 0);  // biPlanes 0
    EXPECT_EQ(RowBytes(Header(1, 0, 0)), 0);

    for (const auto& [stored, half] : {std::pair{64, 32}, {33, 16}, {-64, -32}, {-65, -32}, {1, 0}}) {
        DibHeader h = Header(4, 0);
        h.height = stored;
        EXPECT_EQ(IconHeight(h), half) << stored;
    }
}

TEST(DibTest, LocatesThePartsOfAnIconDib) {
    IconImage image;
    image.bytes = MakeDib({32, 32, 4});
    ASSERT_EQ(image.bytes.size(), 744u);
    ASSERT_FALSE(LocateImageParts(&image));
    EXPECT_EQ(image.format, ImageFormat::Dib);
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.bitDepth, 4u);
    EXPECT_EQ(image.colorBits, 40u + 64u);
    EXPECT_EQ(image.maskBits, image.colorBits + 512);

    // Stored height 33: the icon is 16 rows high.
    image.bytes = MakeDib({32, 16, 4});
    putLe32(image.bytes.data() + 8, 33);
    ASSERT_FALSE(LocateImageParts(&image));
    EXPECT_EQ(image.height, 16);
    EXPECT_EQ(image.maskBits, image.colorBits + 16 * 16);

    // biPlanes 0: depth 0, no row bytes, the mask starts at the colour bits.
    image.bytes = MakeDib({32, 32, 8, 0});
    ASSERT_FALSE(LocateImageParts(&image));
    EXPECT_EQ(image.bitDepth, 0u);
    EXPECT_EQ(image.maskBits, image.colorBits);

    EXPECT_EQ(LocateImageParts(nullptr), ImageError::NoImage);
}

TEST(DibTest, PngImagesTakeTheirSizeFromIhdr) {
    IconImage image;
    image.bytes = samples::MakePng(256, 256);
    image.colorBits = 7;
    image.maskBits = 9;
    ASSERT_FALSE(LocateImageParts(&image));
    EXPECT_EQ(image.format, ImageFormat::Png);
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(image.bitDepth, 32u);  // 8 bits x RGBA
    EXPECT_EQ(image.colorBits, 0u);
    EXPECT_EQ(image.maskBits, 0u);
}

// For every length or offset a DIB or PNG header gives: ends exactly at the
// end of the bytes (accepted), one byte past (refused), and a value that
// would overflow the arithmetic (refused).
TEST(DibTest, EveryPartMustLieWithinTheBytes) {
    const Bytes header32 = MakeDib({0, 0, 32, 1, 0, 0, 1, false});  // header alone: 40 bytes
    const Bytes table4 = MakeDib({0, 0, 4, 1, 0, 0, 1, false});     // header + 64-byte table
    const Bytes bits4 = MakeDib({32, 32, 4, 1, 0, 0, 1, false});    // no mask: ends with the bitmap
    struct Case {
        const char* what;
        Bytes bytes;
        bool accepted;
        ImageError error;
    };
    auto with = [](Bytes b, size_t at, uint32_t v) {
        putLe32(b.data() + at, v);
        return b;
    };
    auto set8 = [](Bytes b, size_t at, uint8_t v) {
        b.at(at) = v;
        return b;
    };
    auto cut = [](Bytes b, size_t n) {
        b.resize(b.size() - n);
        return b;
    };
    auto grow = [](Bytes b, size_t n) {
        b.resize(b.size() + n, 0);
        return b;
    };
    Bytes png = samples::MakePng(16, 16);
    png.resize(26);
    const Case cases[] = {
        {"header exactly", header32, true, {}},
        {"header cut by one", cut(header32, 1), false, ImageError::ShortHeader},
        {"no bytes", {}, false, ImageError::ShortHeader},
        {"biSize exactly the bytes", with(grow(header32, 8), 0, 48), true, {}},
        {"biSize one past", with(header32, 0, 41), false, ImageError::PartsBeyondBytes},
        {"biSize overflowing", with(header32, 0, 0xFFFFFFFF), false, ImageError::PartsBeyondBytes},
        {"biSize below a BITMAPINFOHEADER", with(header32, 0, 12), false, ImageError::ShortHeader},
        {"colour table exactly", table4, true, {}},
        {"colour table one past", cut(table4, 1), false, ImageError::PartsBeyondBytes},
        {"colour table overflowing 16 bits", with(grow(table4, 65536), 32, 16384), false, ImageError::Overflow},
        {"colour table of 2^32 - 1 entries", with(table4, 32, 0xFFFFFFFF), false, ImageError::Overflow},
        {"colour bitmap exactly", bits4, true, {}},
        {"colour bitmap one past", cut(bits4, 1), false, ImageError::PartsBeyondBytes},
        {"row length overflowing", with(header32, 4, 0x7FFFFFFF), false, ImageError::Overflow},
        {"rows x height beyond 32 bits", with(with(header32, 4, 1), 8, 0x7FFFFFFE), false,
         ImageError::PartsBeyondBytes},
        {"negative height", with(bits4, 8, static_cast<uint32_t>(-64)), false, ImageError::NegativeExtent},
        {"negative width", with(bits4, 4, static_cast<uint32_t>(-32)), false, ImageError::NegativeExtent},
        {"PNG header exactly", png, true, {}},
        {"PNG header cut by one", cut(png, 1), false, ImageError::BadPng},
        {"PNG without IHDR first", with(png, 12, 0x54414449), false, ImageError::BadPng},
        {"PNG width beyond 31 bits", with(png, 16, 0x80), false, ImageError::BadPng},
        {"PNG colour type 5", set8(png, 25, 5), false, ImageError::BadPng},
    };
    for (const Case& c : cases) {
        IconImage image;
        image.bytes = c.bytes;
        const std::optional<ImageError> error = LocateImageParts(&image);
        if (c.accepted) {
            EXPECT_FALSE(error) << c.what;
            if (!error && image.format == ImageFormat::Dib) {
                EXPECT_LE(image.maskBits, image.bytes.size()) << c.what;
            }
        } else {
            ASSERT_TRUE(error) << c.what;
            EXPECT_EQ(*error, c.error) << c.what;
            EXPECT_EQ(image.width, 0) << c.what << ": a refused image keeps its fields";
        }
    }
}

TEST(DibTest, IconDibFromDecodedPixels) {
    // 2 x 2, top row first: the top-left pixel is fully transparent.
    const uint8_t pixels[] = {1, 2, 3, 0, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 128};
    const std::optional<Bytes> dib = MakeIconDib(2, 2, pixels, 8);
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib->size(), 40u + 16u + 8u);
    const LeReader r(dib->data(), dib->size());
    int32_t height = 0;
    uint16_t bits = 0;
    r.i32(8, height);
    r.u16(14, bits);
    EXPECT_EQ(height, 4);  // stored doubled, as in an icon
    EXPECT_EQ(bits, 32);
    // Bottom-up: the first stored row is the source's last.
    EXPECT_EQ((*dib)[40], 7);
    EXPECT_EQ((*dib)[48], 1);
    EXPECT_EQ((*dib)[56], 0x00);  // bottom row: opaque
    EXPECT_EQ((*dib)[60], 0x80);  // top row: first pixel transparent
    IconImage image;
    image.bytes = *dib;
    EXPECT_FALSE(LocateImageParts(&image));

    EXPECT_FALSE(MakeIconDib(0, 2, pixels, 8));
    EXPECT_FALSE(MakeIconDib(2, 2, pixels, 7));  // stride shorter than a row
}

} // namespace
} // namespace orvex

#include <gtest/gtest.h>

#include "../../windows/fixtures/icon_samples.h"
#include "common/core/le_reader.h"
#include "export/core/bmp_format.h"
#include "export/core/clipboard_dib.h"
#include "export/core/dib.h"

namespace orvex {
namespace {

using samples::Bytes;
using samples::MakeDib;

uint32_t Le32(const Bytes& b, size_t at) {
    uint32_t v = 0;
    LeReader(b.data(), b.size()).u32(at, v);
    return v;
}

TEST(BmpFormatTest, FourBitAndThirtyTwoBitFigures) {
    struct Case {
        samples::Dib dib;
        size_t fileSize;
        uint32_t offBits;
    };
    const Case cases[] = {
        {{32, 32, 4}, 630, 118},
        {{32, 32, 32}, 4150, 54},
        {{32, 32, 8, 1, 5}, 14 + 40 + 20 + 1024, 74},  // biClrUsed 5
    };
    for (const Case& c : cases) {
        const Bytes image = MakeDib(c.dib);
        const Result<Bytes, BmpError> bmp = BuildBmpFile(image.data(), image.size());
        ASSERT_TRUE(bmp);
        const Bytes& f = bmp.value();
        ASSERT_EQ(f.size(), c.fileSize);
        EXPECT_EQ(f[0], 'B');
        EXPECT_EQ(f[1], 'M');
        EXPECT_EQ(Le32(f, 2), c.fileSize);
        EXPECT_EQ(Le32(f, 6), 0u);
        EXPECT_EQ(Le32(f, 10), c.offBits);
        EXPECT_EQ(Le32(f, 14 + 8), 32u);  // biHeight halved
        // Everything else comes from the image as stored; the mask is left out.
        Bytes body(f.begin() + 14, f.end());
        putLe32(body.data() + 8, 64);
        EXPECT_EQ(body, Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(body.size())));
    }
}

TEST(BmpFormatTest, StoredFieldsAndLongerHeadersAreKept) {
    // biSizeImage and biClrUsed are written as stored.
    Bytes image = MakeDib({32, 32, 4, 1, 16, 0xABCD});
    Result<Bytes, BmpError> bmp = BuildBmpFile(image.data(), image.size());
    ASSERT_TRUE(bmp);
    EXPECT_EQ(Le32(bmp.value(), 14 + 20), 0xABCDu);
    EXPECT_EQ(Le32(bmp.value(), 14 + 32), 16u);

    // A 108-byte header: the colour table follows it in the file too.
    Bytes v4 = MakeDib({32, 32, 4});
    putLe32(v4.data(), 108);
    v4.insert(v4.begin() + 40, 68, 0xEE);
    bmp = BuildBmpFile(v4.data(), v4.size());
    ASSERT_TRUE(bmp);
    EXPECT_EQ(Le32(bmp.value(), 10), 14u + 108u + 64u);
    EXPECT_EQ(bmp.value().size(), 14u + 108u + 64u + 512u);
    EXPECT_EQ(bmp.value()[14 + 108], v4[108]);  // first colour-table byte
}

TEST(BmpFormatTest, ImagesItCannotWrite) {
    const Bytes png = samples::MakePng(16, 16);
    EXPECT_EQ(BuildBmpFile(png.data(), png.size()).error(), BmpError::NotDib);
    Bytes cut = MakeDib({32, 32, 4});
    cut.resize(40 + 64 + 511);
    EXPECT_EQ(BuildBmpFile(cut.data(), cut.size()).error(), BmpError::BadImage);
    EXPECT_EQ(BuildBmpFile(nullptr, 0).error(), BmpError::BadImage);
    // No mask at all: the colour bitmap is all a .bmp needs.
    Bytes noMask = MakeDib({32, 32, 4, 1, 0, 0, 1, false});
    EXPECT_TRUE(BuildBmpFile(noMask.data(), noMask.size()));
}

TEST(ClipboardDibTest, WholeImageWithHalvedHeight) {
    const Bytes image = MakeDib({32, 32, 4});
    const Result<Bytes, ClipboardDibError> block = BuildClipboardDib(image.data(), image.size());
    ASSERT_TRUE(block);
    const Bytes& b = block.value();
    ASSERT_EQ(b.size(), 744u);
    EXPECT_EQ(Le32(b, 8), 32u);
    // The 128-byte mask trails the bitmap.
    EXPECT_EQ(Bytes(b.end() - 128, b.end()), Bytes(image.end() - 128, image.end()));
    Bytes rest = b;
    putLe32(rest.data() + 8, 64);
    EXPECT_EQ(rest, image);

    const Bytes png = samples::MakePng(16, 16);
    EXPECT_EQ(BuildClipboardDib(png.data(), png.size()).error(), ClipboardDibError::NotDib);
    EXPECT_EQ(BuildClipboardDib(nullptr, 0).error(), ClipboardDibError::BadImage);
    const Bytes header(image.begin(), image.begin() + 39);
    EXPECT_EQ(BuildClipboardDib(header.data(), header.size()).error(), ClipboardDibError::BadImage);
}

} // namespace
} // namespace orvex

#include <gtest/gtest.h>

#include "../../windows/fixtures/icon_samples.h"
#include "common/core/le_reader.h"
#include "export/core/dib.h"
#include "export/core/ico_format.h"

namespace orvex {
namespace {

using samples::AppendIcoEntry;
using samples::Bytes;
using samples::IcoEntryBytes;
using samples::IcoHead;
using samples::MakeDib;

IconGroup GroupOf(const std::vector<Bytes>& images) {
    IconGroup g;
    for (const Bytes& b : images) {
        IconImage image;
        image.bytes = b;
        EXPECT_FALSE(LocateImageParts(&image));
        g.images.push_back(image);
    }
    return g;
}

uint32_t Le32(const Bytes& b, size_t at) {
    uint32_t v = 0;
    LeReader(b.data(), b.size()).u32(at, v);
    return v;
}

Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A file of one entry pointing at (offset, byteCount), padded to `size`.
Bytes OneEntryFile(uint32_t byteCount, uint32_t offset, size_t size) {
    Bytes f = IcoHead(0, 1, 1);
    AppendIcoEntry(f, {32, 32, 0, 1, 32, byteCount, offset});
    const Bytes image = MakeDib({8, 8, 32, 1, 0, 0, 1, false});
    f.resize(size, 0);
    for (size_t i = 0; i < image.size() && 22 + i < f.size(); ++i) f[22 + i] = image[i];
    return f;
}

TEST(IcoFormatTest, HeadAndDirectory) {
    struct Case {
        const char* what;
        Bytes file;
        bool ok;
        IcoError error;
    };
    const Case cases[] = {
        {"a cursor (0, 2)", IcoHead(0, 2, 0), false, IcoError::NotIcon},
        {"words 1 and 1", IcoHead(1, 1, 0), false, IcoError::NotReserved},
        {"the empty icon", IcoHead(0, 1, 0), true, {}},
        {"five bytes", Bytes{0, 0, 1, 0, 0}, false, IcoError::ShortHead},
        {"nothing", Bytes{}, false, IcoError::ShortHead},
        {"directory cut by one byte", Cat(IcoHead(0, 1, 2), Bytes(31, 0)), false, IcoError::CutDirectory},
    };
    for (const Case& c : cases) {
        const Result<IconGroup, IcoError> r = ParseIcoFile(c.file.data(), c.file.size());
        EXPECT_EQ(r.ok(), c.ok) << c.what;
        if (c.ok) {
            EXPECT_TRUE(r.value().images.empty()) << c.what;
        }
        if (!c.ok && !r.ok()) {
            EXPECT_EQ(r.error(), c.error) << c.what;
        }
    }
    const Bytes dir(32, 0);
    EXPECT_TRUE(ParseIcoDirectory(dir.data(), 32, 2));
    EXPECT_EQ(ParseIcoDirectory(dir.data(), 31, 2).error(), IcoError::CutDirectory);
}

TEST(IcoFormatTest, RecordsComeFromTheImageHeadersInDirectoryOrder) {
    const std::vector<Bytes> images = samples::ClassicImages();
    Bytes file = samples::MakeIco(images);
    file[6] = 99;        // directory width
    file[6 + 16 + 6] = 1;  // directory bit count
    const Result<IconGroup, IcoError> r = ParseIcoFile(file.data(), file.size());
    ASSERT_TRUE(r);
    const IconGroup& g = r.value();
    ASSERT_EQ(g.images.size(), 3u);
    const int widths[] = {32, 32, 48};
    const uint32_t depths[] = {4, 8, 8};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g.images[i].bytes, images[i]);
        EXPECT_EQ(g.images[i].width, widths[i]);
        EXPECT_EQ(g.images[i].height, widths[i]);
        EXPECT_EQ(g.images[i].bitDepth, depths[i]);
    }
}

TEST(IcoFormatTest, OffsetsOutOfOrderAndShared) {
    const Bytes a = MakeDib({16, 16, 4, 1, 0, 0, 1});
    const Bytes b = MakeDib({32, 32, 8, 1, 0, 0, 2});
    Bytes file = IcoHead(0, 1, 3);
    const uint32_t at = 6 + 3 * 16;
    const uint32_t bAt = at;                                  // b first in the file
    const uint32_t aAt = at + static_cast<uint32_t>(b.size());  // a after it
    AppendIcoEntry(file, {16, 16, 16, 1, 4, static_cast<uint32_t>(a.size()), aAt});
    AppendIcoEntry(file, {32, 32, 0, 1, 8, static_cast<uint32_t>(b.size()), bAt});
    AppendIcoEntry(file, {16, 16, 16, 1, 4, static_cast<uint32_t>(a.size()), aAt});
    file = Cat(Cat(file, b), a);
    const Result<IconGroup, IcoError> r = ParseIcoFile(file.data(), file.size());
    ASSERT_TRUE(r);
    ASSERT_EQ(r.value().images.size(), 3u);
    EXPECT_EQ(r.value().images[0].bytes, a);
    EXPECT_EQ(r.value().images[1].bytes, b);
    EXPECT_EQ(r.value().images[2].bytes, a);
}

// Each image's (offset, byte count) against the file: exactly at the end,
// one byte past, overflowing 32 bits, beyond the 2 GiB reach.
TEST(IcoFormatTest, ImagesMustLieWithinTheFile) {
    const uint32_t n = 40 + 256;  // the 8 x 8 32-bit DIB without its mask
    struct Case {
        const char* what;
        Bytes file;
        bool ok;
        IcoError error;
    };
    const Case cases[] = {
        {"ends at the end", OneEntryFile(n, 22, 22 + n), true, {}},
        {"one byte past", OneEntryFile(n, 22, 22 + n - 1), false, IcoError::ImageBeyondFile},
        {"offset + count overflowing", OneEntryFile(0xFFFFFFF0u, 22, 22 + n), false, IcoError::ImageBeyondFile},
        {"offset just below 2 GiB", OneEntryFile(n, 0x7FFFFFFFu, 22 + n), false, IcoError::ImageBeyondFile},
        {"offset of 2 GiB", OneEntryFile(n, 0x80000000u, 22 + n), false, IcoError::OffsetOutOfReach},
        {"offset of 4 GiB - 1", OneEntryFile(n, 0xFFFFFFFFu, 22 + n), false, IcoError::OffsetOutOfReach},
        {"an image shorter than its header", OneEntryFile(39, 22, 22 + n), false, IcoError::BadImage},
        {"an image cut inside its colour bitmap", OneEntryFile(n - 1, 22, 22 + n), false, IcoError::BadImage},
    };
    for (const Case& c : cases) {
        const Result<IconGroup, IcoError> r = ParseIcoFile(c.file.data(), c.file.size());
        EXPECT_EQ(r.ok(), c.ok) << c.what;
        if (!c.ok && !r.ok()) {
            EXPECT_EQ(r.error(), c.error) << c.what;
        }
    }
}

TEST(IcoFormatTest, WritesTheClassicThreeImageFile) {
    const IconGroup g = GroupOf(samples::ClassicImages());
    const Result<Bytes, IcoError> file = BuildIcoFile(g);
    ASSERT_TRUE(file);
    const Bytes& f = file.value();
    ASSERT_EQ(f.size(), 6766u);
    EXPECT_EQ(Bytes(f.begin(), f.begin() + 6), (Bytes{0, 0, 1, 0, 3, 0}));
    const uint32_t sizes[] = {744, 2216, 3752};
    const uint32_t offsets[] = {54, 798, 3014};
    const uint8_t dims[] = {32, 32, 48};
    const uint8_t colours[] = {16, 0, 0};
    const uint16_t bits[] = {4, 8, 8};
    for (size_t i = 0; i < 3; ++i) {
        const size_t e = 6 + 16 * i;
        EXPECT_EQ(f[e + 0], dims[i]);
        EXPECT_EQ(f[e + 1], dims[i]);
        EXPECT_EQ(f[e + 2], colours[i]);
        EXPECT_EQ(f[e + 3], 0);
        EXPECT_EQ(f[e + 4] | f[e + 5] << 8, 1);
        EXPECT_EQ(f[e + 6] | f[e + 7] << 8, bits[i]);
        EXPECT_EQ(Le32(f, e + 8), sizes[i]);
        EXPECT_EQ(Le32(f, e + 12), offsets[i]);
        EXPECT_EQ(Bytes(f.begin() + offsets[i], f.begin() + offsets[i] + sizes[i]), g.images[i].bytes);
    }
    // It reads back as the same group.
    const Result<IconGroup, IcoError> back = ParseIcoFile(f.data(), f.size());
    ASSERT_TRUE(back);
    ASSERT_EQ(back.value().images.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(back.value().images[i].bytes, g.images[i].bytes);
}

TEST(IcoFormatTest, EmptyGroupIsTheSixByteHead) {
    const Result<Bytes, IcoError> file = BuildIcoFile(IconGroup{});
    ASSERT_TRUE(file);
    EXPECT_EQ(file.value(), (Bytes{0, 0, 1, 0, 0, 0}));
}

TEST(IcoFormatTest, DirectoryEntryFieldsPerImage) {
    struct Case {
        samples::Dib dib;
        uint8_t width, height, colours;
    };
    const Case cases[] = {
        {{32, 32, 1}, 32, 32, 2},      {{32, 32, 4}, 32, 32, 16},  {{32, 32, 8}, 32, 32, 0},
        {{32, 32, 24}, 32, 32, 0},     {{32, 32, 32}, 32, 32, 0},  {{32, 32, 0}, 32, 32, 1},
        {{32, 32, 8, 0}, 32, 32, 1},  // biPlanes 0: depth 0
        {{256, 256, 32}, 0, 0, 0},     {{48, 16, 4}, 48, 16, 16},
    };
    for (const Case& c : cases) {
        const Result<Bytes, IcoError> file = BuildIcoFile(GroupOf({MakeDib(c.dib)}));
        ASSERT_TRUE(file);
        const Bytes& f = file.value();
        EXPECT_EQ(f[6], c.width) << c.dib.bitCount;
        EXPECT_EQ(f[7], c.height) << c.dib.bitCount;
        EXPECT_EQ(f[8], c.colours) << c.dib.bitCount << "/" << c.dib.planes;
        EXPECT_EQ(f[10] | f[11] << 8, c.dib.planes);
        EXPECT_EQ(f[12] | f[13] << 8, c.dib.bitCount);
    }
}

TEST(IcoFormatTest, BiSizeImageIsWrittenAsZeroAndNothingElseChanges) {
    const Bytes image = MakeDib({32, 32, 8, 1, 0, 0x12345678});
    const Result<Bytes, IcoError> file = BuildIcoFile(GroupOf({image}));
    ASSERT_TRUE(file);
    Bytes written(file.value().begin() + 22, file.value().end());
    ASSERT_EQ(written.size(), image.size());
    EXPECT_EQ(Le32(written, 20), 0u);
    putLe32(written.data() + 20, 0x12345678);
    EXPECT_EQ(written, image);
}

TEST(IcoFormatTest, PngImagesAreCopiedUnchangedAndListedFromIhdr) {
    const std::vector<Bytes> images = samples::ModernImages();
    const Result<Bytes, IcoError> file = BuildIcoFile(GroupOf(images));
    ASSERT_TRUE(file);
    const Bytes& f = file.value();
    // 256 x 256 RGBA: width and height 0, no colour count, 1 plane, 32 bits.
    EXPECT_EQ(Bytes(f.begin() + 6, f.begin() + 14), (Bytes{0, 0, 0, 0, 1, 0, 32, 0}));
    const uint32_t at = Le32(f, 6 + 12);
    EXPECT_EQ(Bytes(f.begin() + at, f.begin() + at + images[0].size()), images[0]);

    // Grey + alpha at 16 bits per channel: 32 bits per pixel.
    Bytes grey = samples::MakePng(16, 16);
    grey[24] = 16;
    grey[25] = 4;
    const Result<Bytes, IcoError> g = BuildIcoFile(GroupOf({grey}));
    ASSERT_TRUE(g);
    EXPECT_EQ(Bytes(g.value().begin() + 6, g.value().begin() + 14), (Bytes{16, 16, 0, 0, 1, 0, 32, 0}));
}

TEST(IcoFormatTest, RefusesAGroupWhoseImageCannotBeLocated) {
    IconGroup g = GroupOf(samples::ClassicImages());
    g.images[1].bytes.resize(30);  // shorter than its header, fields left stale
    EXPECT_EQ(BuildIcoFile(g).error(), IcoError::BadImage);
    g.images[1].bytes.clear();
    EXPECT_EQ(BuildIcoFile(g).error(), IcoError::BadImage);
}

} // namespace
} // namespace orvex

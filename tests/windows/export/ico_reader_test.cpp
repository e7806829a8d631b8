#include <gtest/gtest.h>

#include "export/ico_reader.h"
#include "export_test_util.h"

namespace orvex::test {
namespace {

using samples::AppendIcoEntry;
using samples::IcoHead;
using samples::MakeDib;

Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(IcoReaderTest, HeadsDirectoriesAndOffsets) {
    const Bytes image = MakeDib({16, 16, 4, 1, 0, 0, 9});
    const uint32_t n = static_cast<uint32_t>(image.size());
    auto oneEntry = [&](uint32_t offset) {
        Bytes f = IcoHead(0, 1, 1);
        AppendIcoEntry(f, {16, 16, 16, 1, 4, n, offset});
        return Cat(f, image);
    };
    struct Case {
        const char* what;
        Bytes file;
        bool read;
        size_t images;
    };
    const Case cases[] = {
        {"a cursor", Cat(IcoHead(0, 2, 0), {}), false, 0},
        {"words 1 and 1", IcoHead(1, 1, 0), false, 0},
        {"the 6-byte empty icon", IcoHead(0, 1, 0), true, 0},
        {"five bytes", Bytes{0, 0, 1, 0, 0}, false, 0},
        {"an empty file", Bytes{}, false, 0},
        {"a directory cut short", Cat(IcoHead(0, 1, 2), Bytes(31, 0)), false, 0},
        {"one image", oneEntry(22), true, 1},
        {"an image past the end", oneEntry(23), false, 0},
        {"an offset of 2 GiB", oneEntry(0x80000000u), false, 0},
        {"an offset of 4 GiB - 16", oneEntry(0xFFFFFFF0u), false, 0},
        {"a text file", samples::AsBytes("not an icon at all"), false, 0},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        const std::string path = dir.File("case.ico");
        ASSERT_TRUE(WriteBytes(path, c.file));
        const std::optional<IconGroup> g = ReadIcoFile(path);
        EXPECT_EQ(g.has_value(), c.read) << c.what;
        if (g) {
            EXPECT_EQ(g->images.size(), c.images) << c.what;
            EXPECT_EQ(g->sourceName, path) << c.what;
            EXPECT_EQ(g->moduleName, "") << c.what;
        }
    }
    EXPECT_FALSE(ReadIcoFile(dir.File("missing.ico")));
}

TEST(IcoReaderTest, ImagesAtTheirOwnOffsetsInDirectoryOrder) {
    const Bytes a = MakeDib({16, 16, 4, 1, 0, 0, 1});
    const Bytes b = MakeDib({32, 32, 32, 1, 0, 0, 2});
    const uint32_t at = 6 + 3 * 16;
    Bytes f = IcoHead(0, 1, 3);
    // b is stored first but listed second; a is listed twice at one offset.
    // The directory's sizes and depths are wrong on purpose.
    AppendIcoEntry(f, {99, 7, 0, 3, 24, static_cast<uint32_t>(a.size()), at + static_cast<uint32_t>(b.size())});
    AppendIcoEntry(f, {1, 1, 0, 0, 0, static_cast<uint32_t>(b.size()), at});
    AppendIcoEntry(f, {0, 0, 0, 0, 0, static_cast<uint32_t>(a.size()), at + static_cast<uint32_t>(b.size())});
    f = Cat(Cat(f, b), a);
    TempFolder dir;
    ASSERT_TRUE(WriteBytes(dir.File("x.ico"), f));
    const std::optional<IconGroup> g = ReadIcoFile(dir.File("x.ico"));
    ASSERT_TRUE(g);
    ASSERT_EQ(g->images.size(), 3u);
    EXPECT_EQ(g->images[0].bytes, a);
    EXPECT_EQ(g->images[1].bytes, b);
    EXPECT_EQ(g->images[2].bytes, a);
    EXPECT_EQ(g->images[0].width, 16);
    EXPECT_EQ(g->images[0].bitDepth, 4u);
    EXPECT_EQ(g->images[1].width, 32);
    EXPECT_EQ(g->images[1].height, 32);
    EXPECT_EQ(g->images[1].bitDepth, 32u);
}

TEST(IcoReaderTest, FixtureFilesWithPngImages) {
    const std::optional<IconGroup> g = ReadIcoFile(Fixture("modern.ico"));
    ASSERT_TRUE(g);
    ASSERT_EQ(g->images.size(), 2u);
    EXPECT_EQ(g->images[0].format, ImageFormat::Png);
    EXPECT_EQ(g->images[0].width, 256);
    EXPECT_EQ(g->images[0].height, 256);
    EXPECT_EQ(g->images[1].format, ImageFormat::Dib);
    EXPECT_EQ(g->images[1].bytes, samples::ModernImages()[1]);
}

} // namespace
} // namespace orvex::test

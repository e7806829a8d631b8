#include <gtest/gtest.h>

#include "export/core/dib.h"
#include "export/ico_reader.h"
#include "export/writers.h"
#include "export_test_util.h"

namespace orvex::test {
namespace {

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

IconImage ImageOf(const Bytes& b) { return GroupOf({b}).images[0]; }

TEST(WriteIcoFileTest, WritesLoadableIconsThatReadBack) {
    struct Case {
        const char* what;
        std::vector<Bytes> images;
        std::vector<int> sizes;  // what the platform loads back
    };
    const Case cases[] = {
        {"classic", samples::ClassicImages(), {32, 48}},
        {"modern, PNG first", samples::ModernImages(), {256, 32}},
        {"32-bit", {samples::MakeDib({32, 32, 32, 1, 0, 0x999}), samples::MakeDib({16, 16, 32})}, {32, 16}},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        const std::string path = dir.File("out.ico");
        ASSERT_TRUE(WriteIcoFile(GroupOf(c.images), path)) << c.what;
        for (int size : c.sizes) {
            const SIZE got = LoadedIconSize(path, size);
            EXPECT_EQ(got.cx, size) << c.what;
            EXPECT_EQ(got.cy, size) << c.what;
        }
        const std::optional<IconGroup> back = ReadIcoFile(path);
        ASSERT_TRUE(back) << c.what;
        ASSERT_EQ(back->images.size(), c.images.size());
        for (size_t i = 0; i < c.images.size(); ++i) EXPECT_EQ(back->images[i].bytes, AsWrittenInIco(c.images[i])) << c.what;
    }
    // The classic group is byte for byte the standard file.
    ASSERT_TRUE(WriteIcoFile(GroupOf(samples::ClassicImages()), dir.File("c.ico")));
    EXPECT_EQ(FileBytes(dir.File("c.ico")), samples::MakeIco(samples::ClassicImages()));
}

TEST(WriteIcoFileTest, ReplacesFilesAndNeedsAnExistingFolder) {
    TempFolder dir;
    const std::string path = dir.File("old.ico");
    ASSERT_TRUE(WriteBytes(path, Bytes(100000, 0x55)));
    ASSERT_TRUE(WriteIcoFile(IconGroup{}, path));
    EXPECT_EQ(FileBytes(path), (Bytes{0, 0, 1, 0, 0, 0}));

    EXPECT_FALSE(WriteIcoFile(IconGroup{}, dir.File("no\\such\\x.ico")));
    EXPECT_FALSE(FileExists(dir.File("no\\such\\x.ico")));
    // An image that cannot be located writes nothing.
    IconGroup bad = GroupOf(samples::ClassicImages());
    bad.images[2].bytes.resize(100);
    EXPECT_FALSE(WriteIcoFile(bad, dir.File("bad.ico")));
    EXPECT_FALSE(FileExists(dir.File("bad.ico")));
}

TEST(WriteBmpFileTest, DibAndDecodedPngImages) {
    TempFolder dir;
    const std::string four = dir.File("four.bmp");
    ASSERT_TRUE(WriteBmpFile(four, ImageOf(samples::MakeDib({32, 32, 4}))));
    const Bytes f = FileBytes(four);
    ASSERT_EQ(f.size(), 630u);
    EXPECT_EQ(Le32At(f, 10), 118u);

    const std::string png = dir.File("png.bmp");
    ASSERT_TRUE(WriteBmpFile(png, ImageOf(samples::MakePng(256, 256, 4))));
    const Bytes p = FileBytes(png);
    ASSERT_EQ(p.size(), 14u + 40u + 256u * 256u * 4u);
    EXPECT_EQ(Le32At(p, 10), 54u);
    EXPECT_EQ(Le32At(p, 14 + 4), 256u);
    EXPECT_EQ(Le32At(p, 14 + 8), 256u);
    EXPECT_EQ(p[14 + 14], 32);
    // Bottom-up: the file's last row is the image's top row; pixel x = 200
    // there is B = 200 ^ 0, G = 0, R = 200 + 4, opaque.
    const size_t top = 54 + 255u * 1024u + 200u * 4u;
    EXPECT_EQ(Bytes(p.begin() + top, p.begin() + top + 4), (Bytes{200, 0, 204, 255}));
    EXPECT_EQ(p[54 + 255u * 1024u + 3], 0);  // top-left quarter transparent

    for (const std::string& path : {four, png}) {
        const GdiObject bmp(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        EXPECT_TRUE(bmp) << path;
    }
}

TEST(WriteBmpFileTest, Failures) {
    TempFolder dir;
    Bytes brokenPng = samples::MakePng(16, 16);
    brokenPng.resize(60);  // IHDR intact, image data cut
    Bytes cut = samples::MakeDib({32, 32, 4});
    cut.resize(200);
    IconImage stale = ImageOf(samples::MakeDib({32, 32, 4}));
    stale.bytes = cut;  // fields still say 32 x 32
    struct Case {
        const char* what;
        IconImage image;
        std::string path;
    };
    const Case cases[] = {
        {"a PNG the platform cannot decode", ImageOf(brokenPng), dir.File("a.bmp")},
        {"bytes cut inside the bitmap", stale, dir.File("b.bmp")},
        {"no bytes", IconImage{}, dir.File("c.bmp")},
        {"a folder that does not exist", ImageOf(samples::MakeDib({32, 32, 4})), dir.File("none\\d.bmp")},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(WriteBmpFile(c.path, c.image)) << c.what;
        EXPECT_FALSE(FileExists(c.path)) << c.what;
    }
}

TEST(CopyImageToClipboardTest, DibAndDecodedPngImages) {
    const Bytes image = samples::MakeDib({32, 32, 4});
    ASSERT_TRUE(CopyImageToClipboard(ImageOf(image)));
    Bytes block = ClipboardDib();
    ASSERT_GE(block.size(), 744u);
    block.resize(744);
    EXPECT_EQ(Le32At(block, 8), 32u);
    EXPECT_EQ(Bytes(block.end() - 128, block.end()), Bytes(image.end() - 128, image.end()));

    ASSERT_TRUE(CopyImageToClipboard(ImageOf(samples::MakePng(256, 256))));
    const Bytes png = ClipboardDib();
    ASSERT_GE(png.size(), 40u + 256u * 256u * 4u);
    EXPECT_EQ(Le32At(png, 4), 256u);
    EXPECT_EQ(Le32At(png, 8), 256u);
    EXPECT_EQ(png[14], 32);
}

TEST(CopyImageToClipboardTest, AFailedCopyLeavesTheClipboardAlone) {
    Bytes brokenPng = samples::MakePng(16, 16);
    brokenPng.resize(60);
    for (const IconImage& image : {IconImage{}, ImageOf(brokenPng)}) {
        ASSERT_TRUE(PutClipboardText("kept"));
        EXPECT_FALSE(CopyImageToClipboard(image));
        EXPECT_EQ(ClipboardText(), "kept");
    }
}

} // namespace
} // namespace orvex::test

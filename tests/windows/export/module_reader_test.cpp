#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "common/handles.h"
#include "export/module_reader.h"
#include "export_test_util.h"

namespace orvex::test {
namespace {

IconGroupLookup Lookup(const std::string& path, int n) {
    Module module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    EXPECT_TRUE(module) << path;
    return module ? FindIconGroupName(module.get(), n) : IconGroupLookup{};
}

std::optional<IconGroup> ReadGroup(const std::string& path, int n) { return ReadModuleIconGroup(path, Lookup(path, n).name); }

TEST(ModuleReaderTest, TextAndIntegerNamesInDeliveryOrder) {
    const std::string path = Fixture("names.dll");
    struct Case {
        int n;
        bool isText;
        std::string text;
        WORD id;
        int width;
    };
    const Case cases[] = {{1, true, "ALPHA", 0, 16}, {2, true, "ZEBRA", 0, 24}, {3, false, "", 4, 40}, {4, false, "", 9, 48}};
    for (const Case& c : cases) {
        const IconGroupLookup l = Lookup(path, c.n);
        EXPECT_EQ(l.count, 4);
        ASSERT_TRUE(l.name) << c.n;
        EXPECT_EQ(l.name->isText, c.isText) << c.n;
        EXPECT_EQ(l.name->text, c.text) << c.n;
        EXPECT_EQ(l.name->id, c.id) << c.n;
        // The module of the lookup is gone; the copied name still finds the group.
        const std::optional<IconGroup> g = ReadModuleIconGroup(path, l.name);
        ASSERT_TRUE(g) << c.n;
        ASSERT_EQ(g->images.size(), 1u);
        EXPECT_EQ(g->images[0].width, c.width) << c.n;
        EXPECT_EQ(g->moduleName, path);
        EXPECT_EQ(g->sourceName, "");
    }
    const IconGroupLookup past = Lookup(path, 5);
    EXPECT_EQ(past.count, 4);
    EXPECT_FALSE(past.name);
    EXPECT_FALSE(ReadModuleIconGroup(path, std::nullopt));
}

TEST(ModuleReaderTest, ModulesWithoutIcons) {
    const IconGroupLookup none = Lookup(Fixture("noicons.dll"), 1);
    EXPECT_EQ(none.count, 0);
    EXPECT_FALSE(none.name);
    ResourceName one;
    one.id = 1;
    EXPECT_FALSE(ReadModuleIconGroup(Fixture("noicons.dll"), one));
    EXPECT_FALSE(ReadModuleIconGroup(Fixture("missing.dll"), one));
}

TEST(ModuleReaderTest, HandMadeGroups) {
    const std::string path = Fixture("broken.dll");
    EXPECT_EQ(Lookup(path, 1).count, 6);
    const Bytes a = FileBytes(Fixture("icon_a.bin"));
    const Bytes b = FileBytes(Fixture("icon_b.bin"));
    struct Case {
        int n;
        const char* what;
        bool read;
        std::vector<Bytes> images;
    };
    const Case cases[] = {
        {1, "sound", true, {a, b}},
        {2, "names a missing RT_ICON", false, {}},
        {3, "one id twice", true, {a, a}},
        {4, "shorter than 6 + 14 x count", false, {}},
        {5, "no images", true, {}},
        {6, "an image shorter than its header", false, {}},
    };
    for (const Case& c : cases) {
        const std::optional<IconGroup> g = ReadGroup(path, c.n);
        ASSERT_EQ(g.has_value(), c.read) << c.what;
        if (!g) continue;
        ASSERT_EQ(g->images.size(), c.images.size()) << c.what;
        for (size_t i = 0; i < c.images.size(); ++i) EXPECT_EQ(g->images[i].bytes, c.images[i]) << c.what;
    }
}

TEST(ModuleReaderTest, ThreeIconModule) {
    const std::string path = Fixture("icons3.dll");
    const std::vector<Bytes> classic = samples::ClassicImages();
    const std::optional<IconGroup> g1 = ReadGroup(path, 1);
    ASSERT_TRUE(g1);
    ASSERT_EQ(g1->images.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(g1->images[i].bytes, classic[i]);  // SizeofResource is exact
    const std::optional<IconGroup> g3 = ReadGroup(path, 3);
    ASSERT_TRUE(g3);
    ASSERT_EQ(g3->images.size(), 2u);
    EXPECT_EQ(g3->images[0].format, ImageFormat::Png);
    EXPECT_EQ(g3->images[0].width, 256);
}

// A module whose resource directory claims more bytes than the file holds:
// the reader refuses it instead of reading past the mapping.
TEST(ModuleReaderTest, ResourceSizeBeyondTheModule) {
    const std::string path = Fixture("icons3.dll");
    Bytes entry(16);
    {
        Module module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ASSERT_TRUE(module);
        HRSRC found = FindResourceA(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(3));
        ASSERT_TRUE(found);
        // The handle points at the IMAGE_RESOURCE_DATA_ENTRY: RVA, size, code page, reserved.
        memcpy(entry.data(), found, 16);
    }
    Bytes dll = FileBytes(path);
    auto at = std::search(dll.begin(), dll.end(), entry.begin(), entry.end());
    ASSERT_NE(at, dll.end());
    const uint32_t huge = 0x10000000;
    for (int i = 0; i < 4; ++i) at[4 + i] = static_cast<uint8_t>(huge >> (8 * i));
    TempFolder dir;
    const std::string patched = dir.File("patched.dll");
    ASSERT_TRUE(WriteBytes(patched, dll));
    EXPECT_FALSE(ReadGroup(patched, 1));
    EXPECT_TRUE(ReadGroup(patched, 2));
}

} // namespace
} // namespace orvex::test

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/core/le_reader.h"
#include "skin/core/skin_format.h"
#include "skin/core/skin_table.h"

namespace orvex::skin {
namespace {

using Bytes = std::vector<uint8_t>;
using Record = std::pair<uint16_t, Bytes>;

// A block with a correct header and checksum around the given records.
Bytes MakeBlock(const std::vector<Record>& records, uint16_t version = kSkinVersion) {
    Bytes out(kSkinHeaderSize, 0);
    out[0] = '.', out[1] = 'S', out[2] = 'H', out[3] = 'E';
    putLe16(&out[4], version);
    putLe16(&out[6], static_cast<uint16_t>(kSkinHeaderSize));
    for (const Record& r : records) {
        const size_t at = out.size();
        out.resize(at + 4 + r.second.size());
        putLe16(&out[at], r.first);
        putLe16(&out[at + 2], static_cast<uint16_t>(r.second.size()));
        std::copy(r.second.begin(), r.second.end(), out.begin() + static_cast<long>(at) + 4);
    }
    putLe32(&out[8], static_cast<uint32_t>(out.size()));
    putLe32(&out[12], SkinChecksum(out.data() + kSkinHeaderSize, out.size() - kSkinHeaderSize));
    return out;
}

void Reseal(Bytes& b) { putLe32(&b[12], SkinChecksum(b.data() + kSkinHeaderSize, b.size() - kSkinHeaderSize)); }

Bytes Colors(int count, uint32_t value = 0x123456) {
    Bytes b(static_cast<size_t>(count) * 4);
    for (int i = 0; i < count; ++i) putLe32(&b[static_cast<size_t>(i) * 4], value);
    return b;
}

Bytes Metrics(int count, uint16_t value = 1) {
    Bytes b(static_cast<size_t>(count) * 2);
    for (int i = 0; i < count; ++i) putLe16(&b[static_cast<size_t>(i) * 2], value);
    return b;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

bool Decodes(const Bytes& b) {
    SkinTheme t;
    return DecodeSkin(b.data(), b.size(), t);
}

TEST(SkinFormat, EverySkinSurvivesEncodeAndDecode) {
    for (int n = 1; n <= kSkinCount; ++n) {
        SkinTheme built;
        ASSERT_TRUE(BuildSkin(n, built));
        const Bytes block = EncodeSkin(built);
        ASSERT_GE(block.size(), kSkinHeaderSize) << n;
        EXPECT_EQ(std::string(block.begin(), block.begin() + 4), ".SHE") << n;
        uint32_t declared = 0;
        LeReader(block.data(), block.size()).u32(8, declared);
        EXPECT_EQ(declared, block.size()) << n;

        SkinTheme read;
        ASSERT_TRUE(DecodeSkin(block.data(), block.size(), read)) << n;
        EXPECT_EQ(read.name, built.name) << n;
        for (int i = 0; i < kColorCount; ++i) EXPECT_EQ(read.colors[i], built.colors[i]) << n << " colour " << i;
        for (int i = 0; i < kMetricCount; ++i) EXPECT_EQ(read.metrics[i], built.metrics[i]) << n << " metric " << i;
    }
}

TEST(SkinFormat, LaterRecordsAndLongerListsAreAccepted) {
    // A later version may append colours, metrics and records of its own.
    const Bytes block = MakeBlock({{99, Text("future")},
                                   {kTagColors, Colors(kColorCount + 3, 0xABCDEF)},
                                   {kTagMetrics, Metrics(kMetricCount + 2, 0)},
                                   {kTagName, Text("Later")}});
    SkinTheme t;
    ASSERT_TRUE(DecodeSkin(block.data(), block.size(), t));
    EXPECT_EQ(t.name, "Later");
    EXPECT_EQ(t.colors[kColorCount - 1], 0xABCDEFu);
    // The name is optional.
    EXPECT_TRUE(Decodes(MakeBlock({{kTagColors, Colors(kColorCount)}, {kTagMetrics, Metrics(kMetricCount)}})));
}

TEST(SkinFormat, DamagedOrForeignBlocksAreRefused) {
    const Bytes good = SkinBlock(kDefaultSkin);
    ASSERT_TRUE(Decodes(good));
    const Bytes colors = Colors(kColorCount), metrics = Metrics(kMetricCount);

    struct Case {
        const char* name;
        Bytes block;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"header cut short", Bytes(good.begin(), good.begin() + 15)},
        {"last byte missing", Bytes(good.begin(), good.end() - 1)},
        {"one byte too many", [&] { Bytes b = good; b.push_back(0); return b; }()},
        {"other magic", [&] { Bytes b = good; b[3] = 'F'; return b; }()},
        {"version 2", [&] { Bytes b = good; putLe16(&b[4], 2); return b; }()},
        {"version 0", [&] { Bytes b = good; putLe16(&b[4], 0); return b; }()},
        {"header size below 16", [&] { Bytes b = good; putLe16(&b[6], 8); return b; }()},
        {"header size past the end", [&] { Bytes b = good; putLe16(&b[6], 0xFFFF); return b; }()},
        {"declared size larger", [&] { Bytes b = good; putLe32(&b[8], static_cast<uint32_t>(b.size() + 1)); return b; }()},
        {"payload byte changed", [&] { Bytes b = good; b[b.size() - 1] ^= 1; return b; }()},
        {"record runs past the end", [&] { Bytes b = good; putLe16(&b[kSkinHeaderSize + 2], 0xFFF0); Reseal(b); return b; }()},
        {"stray byte after the records", [&] { Bytes b = MakeBlock({{kTagColors, colors}, {kTagMetrics, metrics}});
            b.push_back(0); putLe32(&b[8], static_cast<uint32_t>(b.size())); Reseal(b); return b; }()},
        {"no colours", MakeBlock({{kTagMetrics, metrics}})},
        {"no metrics", MakeBlock({{kTagColors, colors}})},
        {"one colour short", MakeBlock({{kTagColors, Colors(kColorCount - 1)}, {kTagMetrics, metrics}})},
        {"colour list not whole", MakeBlock({{kTagColors, [&] { Bytes c = colors; c.push_back(0); return c; }()},
                                              {kTagMetrics, metrics}})},
        {"colour with a high byte", MakeBlock({{kTagColors, Colors(kColorCount, 0x01000000)}, {kTagMetrics, metrics}})},
        {"colours twice", MakeBlock({{kTagColors, colors}, {kTagColors, colors}, {kTagMetrics, metrics}})},
        {"one metric short", MakeBlock({{kTagColors, colors}, {kTagMetrics, Metrics(kMetricCount - 1)}})},
        {"radius out of range", MakeBlock({{kTagColors, colors}, {kTagMetrics, [&] { Bytes m = metrics;
            putLe16(&m[kButtonRadius * 2], static_cast<uint16_t>(MetricLimit(kButtonRadius) + 1)); return m; }()}})},
        {"unknown button style", MakeBlock({{kTagColors, colors}, {kTagMetrics, [&] { Bytes m = metrics;
            putLe16(&m[kButtonStyle * 2], 3); return m; }()}})},
        {"name with a control byte", MakeBlock({{kTagName, Text("a\nb")}, {kTagColors, colors}, {kTagMetrics, metrics}})},
        {"name too long", MakeBlock({{kTagName, Text(std::string(kMaxSkinNameBytes + 1, 'x'))}, {kTagColors, colors},
                                      {kTagMetrics, metrics}})},
        {"larger than any skin", MakeBlock({{kTagColors, colors}, {kTagMetrics, metrics}, {99, Bytes(40000)},
                                             {98, Bytes(40000)}})},
    };
    for (const Case& c : cases) {
        SkinTheme t;
        t.name = "untouched";
        EXPECT_FALSE(DecodeSkin(c.block.data(), c.block.size(), t)) << c.name;
        EXPECT_EQ(t.name, "untouched") << c.name;
    }
    SkinTheme t;
    EXPECT_FALSE(DecodeSkin(nullptr, good.size(), t));
}

} // namespace
} // namespace orvex::skin

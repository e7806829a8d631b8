#include <gtest/gtest.h>

#include "common/core/text.h"

namespace orvex {
namespace {

// 0xD7 0x5C ("倈"-like): a GBK character whose second byte is "\".
const std::string kTrail5C = "\xD7\x5C";

TEST(TextTest, SeparatorSearchAndDisplayName) {
    struct Case {
        std::string path;
        std::string display;
    };
    const Case cases[] = {
        {"C:\\a\\b.dll", "b.dll"},
        {"b.dll", "b.dll"},
        {"C:\\a\\", ""},
        {"C:/a/b.dll", "C:/a/b.dll"},
        {"", ""},
        {"C:\\a\\" + kTrail5C + ".dll", kTrail5C + ".dll"},
        {"C:\\" + kTrail5C + kTrail5C, kTrail5C + kTrail5C},
        {"C:\\" + kTrail5C + "\\x.dll", "x.dll"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DisplayName(c.path), c.display) << c.path;
    }
    EXPECT_EQ(FindLastSeparator("a.b.c", '.'), 3u);
    EXPECT_EQ(FindLastSeparator("abc", '.'), std::string::npos);
    EXPECT_EQ(FindLastSeparator("\xB0.", '.'), std::string::npos);  // 0x2E is the trail byte
}

TEST(TextTest, IntegerValue) {
    struct Case {
        std::string text;
        int32_t value;
    };
    const Case cases[] = {
        {"-154", -154},
        {" 5", 5},
        {"\t\r\n\v\f7", 7},
        {"5a", 5},
        {"", 0},
        {"abc", 0},
        {"+12", 12},
        {"--3", 0},
        {"- 3", 0},
        {"\xA3\xAD\xA3\xB1\xA3\xB2", -12},       // full-width "-12"
        {"\xA1\xA1\xA3\xB7", 7},                 // ideographic space, full-width 7
        {"4294967296", 0},                        // 2^32 wraps to 0
        {"4294967295", -1},
        {"2147483648", -2147483647 - 1},
        {"-2147483649", 2147483647},
        {"99999999999999999999", 1661992959},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextToInt(c.text), c.value) << c.text;
    }
}

TEST(TextTest, TrailingSpacesCut) {
    EXPECT_EQ(CutTrailingSpaces("C:\\a.dll  "), "C:\\a.dll");
    EXPECT_EQ(CutTrailingSpaces("C:\\a.dll\xA1\xA1 \xA1\xA1"), "C:\\a.dll");
    EXPECT_EQ(CutTrailingSpaces(" a b "), " a b");
    EXPECT_EQ(CutTrailingSpaces("   "), "");
    // 0xB0 0xA1 is a character; the 0xA1 0xA1 after it would straddle it.
    EXPECT_EQ(CutTrailingSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
    EXPECT_EQ(CutTrailingSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
}

TEST(TextTest, KindAndLowering) {
    EXPECT_EQ(KindOf("C:\\A.DLL"), "dll");
    EXPECT_EQ(KindOf("Ic"), "ic");
    EXPECT_EQ(KindOf("x.Bmp"), "bmp");
    EXPECT_EQ(LowerAscii("C:\\X\\A.LNK"), "c:\\x\\a.lnk");
    EXPECT_EQ(LowerAscii("\xC4\x41" "B"), "\xC4\x41" "b");  // trail byte 0x41 stays
}

} // namespace
} // namespace orvex

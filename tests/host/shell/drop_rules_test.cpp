#include <gtest/gtest.h>

#include "app/core/command_line.h"
#include "shell/core/drop_rules.h"
#include "shell/core/verb_rules.h"

namespace orvex {
namespace {

using Paths = std::vector<std::string>;

TEST(DropRulesTest, DropTextRoundTrip) {
    struct Case {
        const char* name;
        Paths paths;
        std::string text;
    };
    const Case cases[] = {
        {"none", {}, ""},
        {"one path has no line end", {"C:\\a\\b.dll"}, "C:\\a\\b.dll"},
        {"one path keeps its spaces", {"C:\\a.dll  "}, "C:\\a.dll  "},
        {"each of several ends in CR LF", {"C:\\a.dll", "D:\\b c.exe", "x"}, "C:\\a.dll\r\nD:\\b c.exe\r\nx\r\n"},
        {"GBK bytes pass untouched", {"C:\\\xD6\xD0\\\xD7\x5C.ico", "y"}, "C:\\\xD6\xD0\\\xD7\x5C.ico\r\ny\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildDropText(c.paths), c.text) << c.name;
        EXPECT_EQ(SplitDropText(c.text), c.paths) << c.name;
    }
}

TEST(DropRulesTest, SplitKeepsEveryInnerPieceAndNoEmptyTail) {
    struct Case {
        std::string text;
        Paths pieces;
    };
    const Case cases[] = {
        {"a\r\nb", {"a", "b"}},         // a text after the last CR LF counts
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\rb\nc", {"a\rb\nc"}},       // only the pair separates
        {"a\r\n\r", {"a", "\r"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitDropText(c.text), c.pieces) << c.text;
    }
}

TEST(DropRulesTest, EffectFollowsKeysAndAllowedEffects) {
    const uint32_t all = kEffectCopy | kEffectMove | kEffectLink;
    const uint32_t ctrlShift = kKeyControl | kKeyShift;
    struct Case {
        uint32_t keys;
        uint32_t allowed;
        uint32_t effect;
    };
    const Case cases[] = {
        {0, all, kEffectCopy},
        {0, kEffectMove | kEffectLink, kEffectMove},
        {0, kEffectLink, kEffectLink},
        {0, kEffectNone, kEffectNone},
        {kKeyControl, all, kEffectCopy},
        {kKeyControl, kEffectMove | kEffectLink, kEffectNone},
        {kKeyShift, all, kEffectMove},
        {kKeyShift, kEffectCopy | kEffectLink, kEffectNone},
        {ctrlShift, all, kEffectNone},
        // Mouse buttons and Alt (MK_LBUTTON, MK_RBUTTON, MK_ALT) change nothing.
        {0x1 | 0x2 | 0x20, all, kEffectCopy},
        {kKeyShift | 0x1, all, kEffectMove},
        // Effects beyond the three (DROPEFFECT_SCROLL) are never chosen.
        {0, 0x80000000u, kEffectNone},
        {kKeyControl, 0x80000000u | kEffectCopy, kEffectCopy},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DropEffectFor(c.keys, c.allowed), c.effect) << "keys " << c.keys << " allowed " << c.allowed;
    }
}

TEST(DropRulesTest, ChooserWidthIsLongestPathInBytesTimesSeven) {
    const std::string forty(40, 'p');
    EXPECT_EQ(ChooserWidth({"C:\\a.dll", forty, "C:\\b.exe"}), 280);
    EXPECT_EQ(ChooserListWidth(280), 276);
    // The longest need not come first; two-byte characters count two bytes.
    EXPECT_EQ(ChooserWidth({"ab", "C:\\\xD6\xD0\xCE\xC4.dll"}), 11 * 7);
    EXPECT_EQ(ChooserWidth({"x", "y"}), 7);
    // No bounds either way.
    EXPECT_EQ(ChooserWidth({std::string(300, 'q'), "r"}), 2100);
}

TEST(VerbRulesTest, ExtensionKeyAndQuotedCommand) {
    EXPECT_EQ(ExtensionKeyName("dll"), ".dll");
    EXPECT_EQ(ExtensionKeyName(".dll"), ".dll");
    EXPECT_EQ(ExtensionKeyName(""), ".");
    EXPECT_EQ(VerbCommandValue("C:\\Program Files\\x\\tool.exe"), "\"C:\\Program Files\\x\\tool.exe\" \"%1\"");
    EXPECT_EQ(VerbCommandValue("C:\\tool.exe"), "\"C:\\tool.exe\" \"%1\"");

    // Explorer puts the clicked file in place of %1; the tool's splitter must
    // give that path back whole, spaces and two-byte characters included.
    struct Case {
        std::string program, file;
    };
    const Case cases[] = {
        {"C:\\Program Files\\x\\tool.exe", "C:\\My Files\\a b.dll"},
        {"C:\\tool.exe", "D:\\\xD6\xD0 \xCE\xC4\\x.ico"},
        {"C:\\tool.exe", "C:\\plain.lnk"},
    };
    for (const Case& c : cases) {
        std::string line = VerbCommandValue(c.program);
        line.replace(line.find("%1"), 2, c.file);
        EXPECT_EQ(SplitCommandLine(line), Paths{c.file}) << line;
    }
}

} // namespace
} // namespace orvex

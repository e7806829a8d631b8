#include <gtest/gtest.h>

#include "export/core/save_names.h"

namespace orvex {
namespace {

TEST(SaveNamesTest, SuggestedName) {
    struct Case {
        std::string source;
        std::string suggested;
    };
    const Case cases[] = {
        {"C:\\a\\b.dll", "b"},
        {"C:\\a\\b.tar.gz", "b.tar"},
        {"C:\\a\\b", ""},
        {"C:\\a\\.hidden", ""},
        {"C:\\a.b\\c", ""},
        {"", ""},
        {"C:\\a\\", ""},
        {"C:\\\xD7\x5C.dll", "\xD7\x5C"},  // 0x5C is a trail byte, not a folder
        {"C:\\a\\\xB0\x2E" "x.ico", "\xB0\x2E" "x"},  // 0x2E trail byte is no "."
    };
    for (const Case& c : cases) EXPECT_EQ(SuggestedSaveName(c.source), c.suggested) << c.source;
}

TEST(SaveNamesTest, SaveAllNamesAndOutcome) {
    EXPECT_EQ(SaveAllFileName("D:\\out", 1), "D:\\out\\Kestu1.ico");
    EXPECT_EQ(SaveAllFileName("D:\\", 12), "D:\\\\Kestu12.ico");

    struct Case {
        int saved, failed;
        std::string text;
        int icon;
    };
    const Case cases[] = {
        {0, 3, "保存列表图标失败!", 16},
        {0, 0, "保存列表图标失败!", 16},
        {10, 2, "保存成功10个,失败2个。", 64},
        {3, 0, "保存列表图标成功,没有保存失败。", 64},
    };
    for (const Case& c : cases) {
        const Message m = SaveAllOutcome(c.saved, c.failed);
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.icon, c.icon);
        EXPECT_EQ(m.title, "Dralo提示：");
    }
}

} // namespace
} // namespace orvex

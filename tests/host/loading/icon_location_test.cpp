#include <gtest/gtest.h>

#include "loading/core/icon_location.h"

namespace orvex {
namespace {

TEST(IconLocationTest, ParseIconText) {
    struct Case {
        std::string text;
        std::string module;
        int32_t index;
    };
    const Case cases[] = {
        {"C:\\Windows\\system32\\imageres.dll,-102", "C:\\Windows\\system32\\imageres.dll", -102},
        {"a,b,3", "a,b", 3},
        {"x.dll, 5", "x.dll", 5},
        {"x.dll,", "x.dll", 0},
        {"%1", "", 0},  // no comma, and "%1" begins with no number
        {"C:\\x\\y.ico", "", 0},
        {"", "", 0},
        {"7", "", 7},
        // A quoted module path loses its quotes, spaces around them included.
        {"\"C:\\Program Files\\App\\app.exe\",0", "C:\\Program Files\\App\\app.exe", 0},
        {" \"C:\\a b\\x.dll\" ,2", "C:\\a b\\x.dll", 2},
        {"\"x.dll,1", "\"x.dll", 1},  // one quote alone is kept
        {"\",4", "\"", 4},
    };
    for (const Case& c : cases) {
        const IconLocation l = ParseIconText(c.text);
        EXPECT_EQ(l.modulePath, c.module) << c.text;
        EXPECT_EQ(l.iconIndex, c.index) << c.text;
    }
}

TEST(IconLocationTest, ExtensionAndRegistryName) {
    EXPECT_EQ(TypeExtensionOf("C:\\a\\b.txt"), ".txt");
    EXPECT_EQ(TypeExtensionOf("C:\\a.b\\file"), ".b\\file");
    EXPECT_EQ(TypeExtensionOf("C:\\a\\file"), "C:\\a\\file");
    EXPECT_EQ(TypeExtensionOf(""), "");
    EXPECT_EQ(TypeExtensionOf("C:\\y\\b.exe -q"), ".exe -q");

    EXPECT_EQ(SplitRegistryName(".txt\\").key, ".txt");
    EXPECT_EQ(SplitRegistryName(".txt\\").value, "");
    EXPECT_EQ(SplitRegistryName("\\").key, "");
    EXPECT_EQ(SplitRegistryName("txtfile\\DefaultIcon\\").key, "txtfile\\DefaultIcon");
    EXPECT_EQ(SplitRegistryName("\\DefaultIcon\\").key, "\\DefaultIcon");
}

} // namespace
} // namespace orvex

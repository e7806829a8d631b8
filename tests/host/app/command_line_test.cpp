#include <gtest/gtest.h>

#include "app/core/command_line.h"

namespace orvex {
namespace {

struct SplitCase {
    const char* name;
    std::string line;
    std::vector<std::string> args;
};

class SplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheArguments) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLineTest,
    ::testing::Values(
        SplitCase{"NoArguments", "\"C:\\T\\x.exe\"", {}},
        SplitCase{"NoArgumentsTrailingSpace", "\"C:\\T\\x.exe\" ", {}},
        SplitCase{"QuotedArgumentKeepsSpaces", "\"C:\\T\\x.exe\" \"C:\\My Files\\a.dll\"", {"C:\\My Files\\a.dll"}},
        SplitCase{"TwoPlain", "\"C:\\T\\x.exe\" a.dll b.dll", {"a.dll", "b.dll"}},
        SplitCase{"EmptyQuoted", "\"C:\\T\\x.exe\" \"\"", {""}},
        SplitCase{"QuoteAsLastByte", "\"C:\\T\\x.exe\" \"", {""}},
        SplitCase{"UnclosedQuoteRunsToEnd", "\"C:\\T\\x.exe\" \"a b", {"a b"}},
        SplitCase{"PlainThenQuoted", "\"C:\\T\\x.exe\" x\"y z\"", {"x", "y z"}},
        SplitCase{"UnquotedExeWithSpace", "C:\\My Tools\\x.exe a.dll", {"Tools\\x.exe", "a.dll"}},
        SplitCase{"UnquotedExeAlone", "C:\\x.exe", {}},
        SplitCase{"TwoSpacesBeforeArgument", "\"C:\\T\\x.exe\"  a.dll", {"a.dll"}},
        SplitCase{"TabsAndControlBytesSeparate", "\"x.exe\" a\tb\x01" "c\x1f" "d", {"a", "b", "c", "d"}},
        SplitCase{"ExeQuoteUnclosed", "\"C:\\T\\x.exe a.dll", {}},
        // 0xD7 0x22 is one character: its second byte is no quote.
        SplitCase{"TrailByteIsNoQuote", "x.exe \xD7\x22.dll b", {"\xD7\x22.dll", "b"}},
        // 0xB0 0x20: the second byte is no separator.
        SplitCase{"TrailByteIsNoSeparator", "x.exe a\xB0\x20" "b", {"a\xB0\x20" "b"}},
        SplitCase{"GbkName", "x.exe \xCE\xC4\xBC\xFE.dll", {"\xCE\xC4\xBC\xFE.dll"}},
        SplitCase{"LeadByteAsLastByte", "x.exe ab\xB0", {"ab"}},
        SplitCase{"LoneLeadByteAsLastByte", "x.exe a \xB0", {"a"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace orvex

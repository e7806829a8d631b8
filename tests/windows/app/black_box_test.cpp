#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "support/child_process.h"
#include "support/test_env.h"

namespace orvex::test {
namespace {

// The built tool, started with no arguments, shows its window; from outside
// we read its caption and status line, close it, and it exits with 0.
TEST(BlackBoxTest, StartsShowsItsWindowAndClosesCleanly) {
    TempFolder dir;
    const std::string exe = CopyToolInto(dir.path());
    ASSERT_TRUE(FileExists(exe));
    ChildProcess tool(exe, "");
    ASSERT_TRUE(tool.started());
    HWND main = tool.FindWindowOf(L"OrvexMainWindow", nullptr, 30000);
    ASSERT_NE(main, nullptr);
    // The window exists while the start work runs, and shows only after it.
    for (int i = 0; i < 300 && !IsWindowVisible(main); ++i) Sleep(100);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(WindowText(main), "Zelvar ico图标提取器");
    const std::vector<std::string> texts = ChildTexts(main);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "当前没有图标,共0个"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "&B.浏览"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "&W.系统图标"), texts.end());
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(tool.Wait(30000), 0u);
}

} // namespace
} // namespace orvex::test

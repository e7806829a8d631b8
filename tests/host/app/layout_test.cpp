#include <gtest/gtest.h>

#include "app/core/layout.h"

namespace orvex {
namespace {

// The design window: 347 x 227 outer; its client width depends on the frame,
// so the tests work from the client width the design list implies.
const int kDesignClientWidth = 6 + 328 + 6;
const int kDesignOuterHeight = 8 + 112 + 70;

TEST(LayoutTest, DesignSizeKeepsTheDesign) {
    const MainLayout l = LayOut(DesignLayout(), kDesignClientWidth, kDesignOuterHeight);
    EXPECT_EQ(l.list, (Rect{6, 8, 328, 112}));
    EXPECT_EQ(l.systemIcons, (Rect{262, 128, 72, 20}));
    EXPECT_EQ(l.browse, (Rect{198, 128, 56, 20}));
    EXPECT_EQ(l.status, (Rect{9, 134, 208, 16}));
}

TEST(LayoutTest, WiderAndTaller) {
    const MainLayout base = LayOut(DesignLayout(), kDesignClientWidth, kDesignOuterHeight);
    const MainLayout wide = LayOut(base, kDesignClientWidth + 100, kDesignOuterHeight);
    EXPECT_EQ(wide.list.width, base.list.width + 100);
    EXPECT_EQ(wide.list.height, base.list.height);
    EXPECT_EQ(wide.systemIcons.left, base.systemIcons.left + 100);
    EXPECT_EQ(wide.browse.left, base.browse.left + 100);
    EXPECT_EQ(wide.status.left, base.status.left);
    EXPECT_EQ(wide.note, base.note);

    const MainLayout tall = LayOut(base, kDesignClientWidth, kDesignOuterHeight + 50);
    EXPECT_EQ(tall.list.height, base.list.height + 50);
    EXPECT_EQ(tall.systemIcons.top, base.systemIcons.top + 50);
    EXPECT_EQ(tall.browse.top, base.browse.top + 50);
    EXPECT_EQ(tall.status.top, base.status.top + 50);
    EXPECT_EQ(tall.systemIcons.left, base.systemIcons.left);
    EXPECT_EQ(tall.note, (Rect{8, 144, 248, 32}));  // never moves
}

TEST(LayoutTest, NoLowerBound) {
    const MainLayout l = LayOut(DesignLayout(), 4, 20);
    EXPECT_EQ(l.list.width, 4 - 12);
    EXPECT_EQ(l.list.height, 20 - 8 - 70);
    EXPECT_EQ(l.systemIcons.left, 6 + (4 - 12) - 72);
    EXPECT_EQ(l.browse.left, l.systemIcons.left - 56 - 8);
    EXPECT_EQ(l.status.top, l.browse.top + 6);
}

} // namespace
} // namespace orvex

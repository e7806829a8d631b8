#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <tuple>

#include "skin/core/skin_table.h"

namespace orvex::skin {
namespace {

TEST(SkinTable, OnlyNumbersOneToThirtyThreeAreSkins) {
    for (int n : {0, 34, -1, -13, INT_MIN, INT_MAX}) {
        SkinTheme t;
        EXPECT_FALSE(BuildSkin(n, t)) << n;
        EXPECT_TRUE(SkinBlock(n).empty()) << n;
    }
    for (int n : {1, 13, 33}) EXPECT_FALSE(SkinBlock(n).empty()) << n;
}

TEST(SkinTable, EverySkinHasItsOwnLook) {
    std::set<std::tuple<uint32_t, uint32_t, uint32_t>> looks;
    std::set<std::string> names;
    for (int n = 1; n <= kSkinCount; ++n) {
        SkinTheme t;
        ASSERT_TRUE(BuildSkin(n, t));
        looks.insert({t.colors[kWindowBack], t.colors[kCaptionLeft], t.colors[kButtonTop]});
        names.insert(t.name);
    }
    EXPECT_EQ(looks.size(), static_cast<size_t>(kSkinCount));
    EXPECT_EQ(names.size(), static_cast<size_t>(kSkinCount));
}

// Text must read on what it is drawn on, in every skin and every state.
TEST(SkinTable, TextReadsOnItsBackgroundInEverySkin) {
    const double kText = 4.5, kLargeText = 3.0;
    for (int n = 1; n <= kSkinCount; ++n) {
        SkinTheme t;
        ASSERT_TRUE(BuildSkin(n, t));
        const uint32_t* c = t.colors;
        struct Pair {
            const char* what;
            uint32_t text, back;
            double least;
        };
        std::vector<Pair> pairs = {
            {"label", c[kWindowText], c[kWindowBack], kText},
            {"list", c[kListText], c[kListBack], kText},
            {"edit", c[kEditText], c[kEditBack], kText},
            {"menu", c[kMenuText], c[kMenuBack], kText},
            {"menu highlight", c[kMenuHighlightText], c[kMenuHighlightBack], kText},
            {"caption left", c[kCaptionText], c[kCaptionLeft], kText},
            {"caption right", c[kCaptionText], c[kCaptionRight], kText},
            {"inactive caption left", c[kCaptionInactiveText], c[kCaptionInactiveLeft], kLargeText},
            {"inactive caption right", c[kCaptionInactiveText], c[kCaptionInactiveRight], kLargeText},
        };
        const int height = 23;
        for (ButtonLook look : {kLookNormal, kLookHot, kLookDown}) {
            for (int y = 1; y < height - 1; ++y) {
                pairs.push_back({"button", c[kButtonText], ButtonFaceAt(t, look, y, height), kText});
            }
        }
        for (const Pair& p : pairs) {
            EXPECT_GE(Contrast(p.text, p.back), p.least) << "skin " << n << " (" << t.name << "): " << p.what;
        }
        // Disabled text is dim but still there; a button stands out from the window.
        EXPECT_GE(Contrast(c[kButtonDisabledText], c[kButtonTop]), 1.5) << n;
        EXPECT_LT(Contrast(c[kButtonDisabledText], c[kButtonTop]), Contrast(c[kButtonText], c[kButtonTop])) << n;
        EXPECT_GE(Contrast(c[kMenuDisabledText], c[kMenuBack]), 1.5) << n;
        EXPECT_GE(Contrast(c[kButtonBorder], c[kWindowBack]), 1.5) << n;
    }
}

TEST(SkinTable, ButtonFaceFollowsTheStyle) {
    SkinTheme t;
    ASSERT_TRUE(BuildSkin(kDefaultSkin, t));
    const uint32_t top = t.colors[kButtonTop], bottom = t.colors[kButtonBottom];
    ASSERT_NE(top, bottom);

    t.metrics[kButtonStyle] = kButtonGradient;
    EXPECT_EQ(ButtonFaceAt(t, kLookNormal, 1, 20), top);
    EXPECT_EQ(ButtonFaceAt(t, kLookNormal, 18, 20), bottom);
    EXPECT_EQ(ButtonFaceAt(t, kLookDown, 1, 20), t.colors[kButtonDownTop]);
    EXPECT_EQ(ButtonFaceAt(t, kLookHot, 18, 20), t.colors[kButtonHotBottom]);
    const uint32_t middle = ButtonFaceAt(t, kLookNormal, 10, 20);
    EXPECT_NE(middle, top);
    EXPECT_NE(middle, bottom);

    t.metrics[kButtonStyle] = kButtonGlass;
    EXPECT_EQ(ButtonFaceAt(t, kLookNormal, 1, 20), top);
    EXPECT_EQ(ButtonFaceAt(t, kLookNormal, 10, 20), bottom);
    EXPECT_EQ(ButtonFaceAt(t, kLookNormal, 18, 20), bottom);

    t.metrics[kButtonStyle] = kButtonFlat;
    for (int y : {0, 7, 19}) EXPECT_EQ(ButtonFaceAt(t, kLookNormal, y, 20), top);

    // Buttons too small for a gradient still get a colour, and no division by zero.
    for (uint16_t style : {kButtonFlat, kButtonGradient, kButtonGlass}) {
        t.metrics[kButtonStyle] = style;
        for (int h : {0, 1, 2, 3}) {
            for (int y = -1; y <= h; ++y) ButtonFaceAt(t, kLookNormal, y, h);
        }
    }
}

TEST(SkinTable, CaptionRunsFromLeftToRight) {
    SkinTheme t;
    ASSERT_TRUE(BuildSkin(kDefaultSkin, t));
    const uint32_t left = t.colors[kCaptionLeft], right = t.colors[kCaptionRight];
    t.metrics[kCaptionStyle] = kCaptionHorizontal;
    EXPECT_EQ(CaptionColorAt(t, true, 0, 5, 100, 20), left);
    EXPECT_EQ(CaptionColorAt(t, true, 99, 5, 100, 20), right);
    EXPECT_EQ(CaptionColorAt(t, false, 0, 5, 100, 20), t.colors[kCaptionInactiveLeft]);
    t.metrics[kCaptionStyle] = kCaptionVertical;
    EXPECT_EQ(CaptionColorAt(t, true, 50, 0, 100, 20), left);
    EXPECT_EQ(CaptionColorAt(t, true, 50, 19, 100, 20), right);
    t.metrics[kCaptionStyle] = kCaptionFlat;
    EXPECT_EQ(CaptionColorAt(t, true, 99, 19, 100, 20), left);
    for (uint16_t style : {kCaptionHorizontal, kCaptionVertical}) {
        t.metrics[kCaptionStyle] = style;
        EXPECT_EQ(CaptionColorAt(t, true, 0, 0, 1, 1), left);
        EXPECT_EQ(CaptionColorAt(t, true, 0, 0, 0, 0), left);
    }
}

TEST(SkinTable, MixAndContrastEnds) {
    EXPECT_EQ(Mix(0x102030, 0xF0E0D0, 0), 0x102030u);
    EXPECT_EQ(Mix(0x102030, 0xF0E0D0, 255), 0xF0E0D0u);
    EXPECT_EQ(Mix(0x000000, 0xFFFFFF, 128), 0x808080u);
    EXPECT_EQ(Mix(0xFFFFFF, 0x000000, 128), 0x7F7F7Fu);
    EXPECT_NEAR(Contrast(0x000000, 0xFFFFFF), 21.0, 1e-9);
    EXPECT_NEAR(Contrast(0x777777, 0x777777), 1.0, 1e-9);
}

} // namespace
} // namespace orvex::skin

// The tool's 33 skins, each derived from a small palette, and the colour
// rules that the skin library paints with.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/core/skin_format.h"

namespace orvex::skin {

constexpr int kSkinCount = 33;
constexpr int kDefaultSkin = 13;

// What a skin is made from; every other colour is derived.
struct Palette {
    const char* name;
    uint32_t back, text;          // window background, label text
    uint32_t face, faceText;      // push buttons
    uint32_t accent;              // caption, focus, menu highlight
    uint32_t listBack, listText;  // list view, list box, edits, menus
    uint16_t radius, buttonStyle, captionStyle, menuStrip;
};

// Skin `number` (1..kSkinCount); false for any other number.
bool BuildSkin(int number, SkinTheme& out);
// The encoded block of skin `number`; empty for any other number.
std::vector<uint8_t> SkinBlock(int number);

// 0x00RRGGBB helpers.
uint32_t Rgb(int r, int g, int b);
int RedOf(uint32_t c);
int GreenOf(uint32_t c);
int BlueOf(uint32_t c);
// `a` moved towards `b` by weight/255.
uint32_t Mix(uint32_t a, uint32_t b, int weight);
double Contrast(uint32_t a, uint32_t b);  // 1..21, the WCAG ratio

enum ButtonLook : int { kLookNormal, kLookHot, kLookDown };

// The face colour of a push button in row `y` of `height` rows (the border
// rows included), as the library paints it.
uint32_t ButtonFaceAt(const SkinTheme& theme, ButtonLook look, int y, int height);
// The caption colour at (x, y) of a caption `width` by `height`.
uint32_t CaptionColorAt(const SkinTheme& theme, bool active, int x, int y, int width, int height);

} // namespace orvex::skin

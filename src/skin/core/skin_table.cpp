#include "skin/core/skin_table.h"

#include <cmath>

namespace orvex::skin {

namespace {

const uint32_t kWhite = 0xFFFFFF;
const uint32_t kBlack = 0x000000;

// name, back, text, face, faceText, accent, listBack, listText,
// radius, button style, caption style, menu strip
const Palette kPalettes[kSkinCount] = {
    {"Silver", 0xE9EBEE, 0x20242A, 0xF2F3F5, 0x1E2226, 0x5A6B7D, 0xFFFFFF, 0x1B1B1B, 3, kButtonGradient, kCaptionHorizontal, 0},
    {"Ocean", 0xE3F1F8, 0x0B3954, 0xD2E9F5, 0x0B3954, 0x1478A8, 0xF7FCFF, 0x10222E, 4, kButtonGradient, kCaptionVertical, 0},
    {"Forest", 0xE6EFE4, 0x1F3B1F, 0xD6E6D2, 0x1F3B1F, 0x2E6B34, 0xFBFDFA, 0x1A2A1A, 2, kButtonGradient, kCaptionHorizontal, 3},
    {"Graphite", 0x2B2D31, 0xE4E6EA, 0x3A3D43, 0xF0F2F5, 0x5B8DEF, 0x1F2023, 0xE8E8E8, 3, kButtonGradient, kCaptionVertical, 0},
    {"Rose", 0xF8ECEF, 0x5A1F33, 0xF3D9E1, 0x4A1428, 0xB03A63, 0xFFFAFB, 0x2B1119, 6, kButtonGlass, kCaptionHorizontal, 0},
    {"Sand", 0xF3EBDD, 0x4A3B22, 0xEADCC2, 0x3E3119, 0x9C7A3C, 0xFFFCF6, 0x2E2614, 2, kButtonGradient, kCaptionFlat, 4},
    {"Mint", 0xE5F6EF, 0x0F4030, 0xCDEEDF, 0x0F4030, 0x1E9E74, 0xF9FEFC, 0x0C2A20, 4, kButtonGradient, kCaptionHorizontal, 0},
    {"Lavender", 0xEEEAF7, 0x35285A, 0xE0D9F2, 0x2E2250, 0x6A52B3, 0xFDFCFF, 0x221A38, 5, kButtonGlass, kCaptionVertical, 0},
    {"Sunset", 0xFBEDE3, 0x5B2A0E, 0xF8D9C2, 0x4D230B, 0xD9622B, 0xFFFBF8, 0x2D1608, 3, kButtonGradient, kCaptionHorizontal, 3},
    {"Slate", 0xDDE3E8, 0x1E2A33, 0xCBD5DD, 0x1A252E, 0x47617A, 0xF5F8FA, 0x18222A, 0, kButtonFlat, kCaptionFlat, 0},
    {"Coffee", 0xEDE3D9, 0x3C2A1E, 0xDCCBBB, 0x33241A, 0x6F4E37, 0xFAF6F2, 0x2A1E15, 3, kButtonGradient, kCaptionVertical, 0},
    {"Cherry", 0xFAE8E8, 0x5E1010, 0xF4CFCF, 0x4F0D0D, 0xB3202A, 0xFFF9F9, 0x2B0A0A, 4, kButtonGlass, kCaptionHorizontal, 0},
    {"Azure", 0xEEF3F8, 0x1F3A5F, 0xE3ECF6, 0x17304F, 0x2F6DB5, 0xFFFFFF, 0x1A1A1A, 4, kButtonGradient, kCaptionVertical, 3},
    {"Steel", 0x3C4650, 0xE6ECF2, 0x4D5965, 0xF3F6F9, 0x7FA7CF, 0x2F373F, 0xE9EEF3, 2, kButtonGradient, kCaptionHorizontal, 0},
    {"Olive", 0xEEEFE0, 0x3D4114, 0xE0E3C4, 0x33360F, 0x6B7321, 0xFCFCF5, 0x26280C, 1, kButtonFlat, kCaptionFlat, 4},
    {"Teal", 0xE2F2F2, 0x0D3D40, 0xCBE8E8, 0x0B3538, 0x17838A, 0xF7FDFD, 0x0A2629, 4, kButtonGradient, kCaptionVertical, 0},
    {"Amber", 0xFFF5E0, 0x5A3D00, 0xFFE6B3, 0x4A3200, 0xC77C02, 0xFFFDF7, 0x2E2200, 3, kButtonGlass, kCaptionHorizontal, 0},
    {"Plum", 0x2E2233, 0xEDE3F2, 0x45344D, 0xF5EEF8, 0xB07CC6, 0x241A28, 0xEFE6F3, 5, kButtonGradient, kCaptionVertical, 3},
    {"Ice", 0xF2F8FC, 0x244B63, 0xE6F2FA, 0x1D4157, 0x4FA3D1, 0xFFFFFF, 0x14303F, 6, kButtonGlass, kCaptionVertical, 0},
    {"Charcoal", 0x1E1E1E, 0xDADADA, 0x333333, 0xEEEEEE, 0x3C8DBC, 0x141414, 0xE0E0E0, 0, kButtonFlat, kCaptionFlat, 0},
    {"Jade", 0xE4F1EA, 0x143D28, 0xCFE6D9, 0x103522, 0x2F855A, 0xF8FCFA, 0x0E2A1C, 3, kButtonGradient, kCaptionHorizontal, 0},
    {"Cobalt", 0xE6ECFA, 0x14266B, 0xD3DDF6, 0x0F1F5C, 0x1F47C2, 0xFBFCFF, 0x0E1840, 2, kButtonGlass, kCaptionVertical, 4},
    {"Copper", 0xF5E9E1, 0x5A2E14, 0xEBD2C2, 0x4C2610, 0xA8552A, 0xFFF9F5, 0x2E170A, 4, kButtonGradient, kCaptionHorizontal, 0},
    {"Lime", 0xF1F8E4, 0x34510E, 0xE2F1C6, 0x2C450B, 0x6A9F1A, 0xFCFFF6, 0x1F300A, 5, kButtonGradient, kCaptionVertical, 0},
    {"Navy", 0x1B2838, 0xDCE6F2, 0x2A3B52, 0xEEF4FB, 0x4C8BD6, 0x131D29, 0xE1EAF4, 3, kButtonGradient, kCaptionHorizontal, 0},
    {"Coral", 0xFDEEEB, 0x6A2A1F, 0xF9D8D1, 0x5A2218, 0xE0654F, 0xFFFAF9, 0x33140E, 6, kButtonGlass, kCaptionHorizontal, 3},
    {"Moss", 0xE9EDE2, 0x2F3A22, 0xD9E0CC, 0x28321C, 0x56693A, 0xF9FAF6, 0x222A18, 0, kButtonGradient, kCaptionFlat, 0},
    {"Storm", 0xD8DDE3, 0x222B36, 0xC5CDD6, 0x1D2530, 0x3D4E63, 0xF0F3F6, 0x1A222C, 2, kButtonGlass, kCaptionVertical, 0},
    {"Peach", 0xFFF1E8, 0x6B3A1E, 0xFFE0CC, 0x5C3018, 0xE8894A, 0xFFFBF8, 0x3A1F0F, 5, kButtonGradient, kCaptionVertical, 0},
    {"Indigo", 0xE9E8F7, 0x262266, 0xD9D6F1, 0x1F1B57, 0x3F37A8, 0xFCFCFF, 0x19163D, 3, kButtonGradient, kCaptionHorizontal, 4},
    {"Aqua", 0xE2F7F9, 0x0B4A52, 0xC9EFF3, 0x093F46, 0x0E9AAB, 0xF7FEFF, 0x072C31, 4, kButtonGlass, kCaptionVertical, 0},
    {"Ruby", 0x2A1519, 0xF2DDE1, 0x45232A, 0xF8E8EB, 0xD0455E, 0x1F0F12, 0xF3E2E5, 3, kButtonGradient, kCaptionHorizontal, 0},
    {"Pearl", 0xF7F6F3, 0x3A3832, 0xEFEDE8, 0x2E2C27, 0x8C8473, 0xFFFFFF, 0x22211D, 8, kButtonGlass, kCaptionVertical, 0},
};

double Channel(int v) {
    const double c = v / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t c) {
    return 0.2126 * Channel(RedOf(c)) + 0.7152 * Channel(GreenOf(c)) + 0.0722 * Channel(BlueOf(c));
}

// White text where it nearly reads (the usual look on an accent colour),
// black otherwise.
uint32_t TextOn(uint32_t back) { return Contrast(back, kWhite) >= 3.0 ? kWhite : kBlack; }

// The text colour that reads best on both ends of a gradient.
uint32_t TextOnBoth(uint32_t a, uint32_t b) {
    const double white = std::fmin(Contrast(a, kWhite), Contrast(b, kWhite));
    const double black = std::fmin(Contrast(a, kBlack), Contrast(b, kBlack));
    return white >= black ? kWhite : kBlack;
}

// `back` pushed away from its text colour until that text reads on it.
uint32_t Readable(uint32_t back, double ratio) {
    const uint32_t text = TextOn(back);
    const uint32_t away = text == kWhite ? kBlack : kWhite;
    for (int step = 0; step < 16 && Contrast(back, text) < ratio; ++step) back = Mix(back, away, 24);
    return back;
}

// `c` moved away from `text` by weight/255, so `text` reads at least as well.
uint32_t AwayFrom(uint32_t c, uint32_t text, int weight) {
    return Mix(c, Luminance(text) > 0.5 ? kBlack : kWhite, weight);
}

SkinTheme Derive(const Palette& p) {
    SkinTheme t;
    t.name = p.name;
    uint32_t* c = t.colors;
    c[kWindowBack] = p.back;
    c[kWindowText] = p.text;

    const bool flat = p.buttonStyle == kButtonFlat;
    // Lit from above; dark faces take less light so that light text still reads.
    const bool darkFace = Luminance(p.faceText) > 0.5;
    c[kButtonTop] = flat ? p.face : Mix(p.face, kWhite, darkFace ? 22 : 60);
    c[kButtonBottom] = flat ? p.face : Mix(p.face, kBlack, darkFace ? 36 : 20);
    c[kButtonBorder] = Mix(p.accent, p.faceText, 60);
    c[kButtonText] = p.faceText;
    c[kButtonHotTop] = Mix(c[kButtonTop], p.accent, 36);
    c[kButtonHotBottom] = Mix(c[kButtonBottom], p.accent, 36);
    c[kButtonDownTop] = Mix(c[kButtonBottom], p.faceText, 18);
    c[kButtonDownBottom] = Mix(c[kButtonTop], p.faceText, 10);
    c[kButtonDisabledText] = Mix(p.faceText, p.face, 120);
    c[kFocus] = p.accent;

    c[kListBack] = p.listBack;
    c[kListText] = p.listText;
    c[kListBorder] = Mix(p.accent, p.back, 70);
    c[kEditBack] = p.listBack;
    c[kEditText] = p.listText;

    c[kMenuBack] = Mix(p.listBack, p.back, 90);
    c[kMenuText] = p.listText;
    c[kMenuHighlightBack] = Readable(p.accent, 4.5);
    c[kMenuHighlightText] = TextOn(c[kMenuHighlightBack]);
    c[kMenuDisabledText] = Mix(p.listText, c[kMenuBack], 130);
    c[kMenuStrip] = p.accent;

    const uint32_t left = Readable(p.accent, 4.5);
    const uint32_t right = p.captionStyle == kCaptionFlat ? left : AwayFrom(left, TextOn(left), 56);
    c[kCaptionLeft] = left;
    c[kCaptionRight] = right;
    c[kCaptionText] = TextOn(left);
    const uint32_t grey = Luminance(p.back) > 0.5 ? 0xA0A4A8 : 0x505458;
    c[kCaptionInactiveLeft] = Mix(left, grey, 150);
    c[kCaptionInactiveRight] = Mix(right, grey, 150);
    const uint32_t inactiveText = TextOnBoth(c[kCaptionInactiveLeft], c[kCaptionInactiveRight]);
    c[kCaptionInactiveText] = Mix(inactiveText, c[kCaptionInactiveLeft], 40);
    c[kFrame] = Mix(left, kBlack, 40);
    c[kFrameInactive] = Mix(c[kFrame], grey, 150);

    t.metrics[kButtonRadius] = p.radius;
    t.metrics[kButtonStyle] = p.buttonStyle;
    t.metrics[kCaptionStyle] = p.captionStyle;
    t.metrics[kMenuStripWidth] = p.menuStrip;
    return t;
}

// Row `y` of `height` as a weight 0..255 from the first inner row to the last.
int Ramp(int y, int height) {
    const int first = 1, last = height - 2;
    if (last <= first || y <= first) return 0;
    if (y >= last) return 255;
    return (y - first) * 255 / (last - first);
}

} // namespace

uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r & 0xFF) << 16) | (static_cast<uint32_t>(g & 0xFF) << 8) |
           static_cast<uint32_t>(b & 0xFF);
}
int RedOf(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int GreenOf(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int BlueOf(uint32_t c) { return static_cast<int>(c & 0xFF); }

uint32_t Mix(uint32_t a, uint32_t b, int weight) {
    if (weight < 0) weight = 0;
    if (weight > 255) weight = 255;
    auto one = [weight](int x, int y) { return x + ((y - x) * weight + (y > x ? 127 : -127)) / 255; };
    return Rgb(one(RedOf(a), RedOf(b)), one(GreenOf(a), GreenOf(b)), one(BlueOf(a), BlueOf(b)));
}

double Contrast(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

bool BuildSkin(int number, SkinTheme& out) {
    if (number < 1 || number > kSkinCount) return false;
    out = Derive(kPalettes[number - 1]);
    return true;
}

std::vector<uint8_t> SkinBlock(int number) {
    SkinTheme theme;
    if (!BuildSkin(number, theme)) return {};
    return EncodeSkin(theme);
}

uint32_t ButtonFaceAt(const SkinTheme& theme, ButtonLook look, int y, int height) {
    const uint32_t* c = theme.colors;
    const uint32_t top = look == kLookHot ? c[kButtonHotTop] : look == kLookDown ? c[kButtonDownTop] : c[kButtonTop];
    const uint32_t bottom =
        look == kLookHot ? c[kButtonHotBottom] : look == kLookDown ? c[kButtonDownBottom] : c[kButtonBottom];
    switch (theme.metrics[kButtonStyle]) {
    case kButtonFlat:
        return top;
    case kButtonGlass: {
        // A bright upper half over a solid lower half.
        const int half = height / 2;
        if (y >= half) return bottom;
        return Mix(top, Mix(top, bottom, 128), Ramp(y, half + 1));
    }
    default:
        return Mix(top, bottom, Ramp(y, height));
    }
}

uint32_t CaptionColorAt(const SkinTheme& theme, bool active, int x, int y, int width, int height) {
    const uint32_t left = theme.colors[active ? kCaptionLeft : kCaptionInactiveLeft];
    const uint32_t right = theme.colors[active ? kCaptionRight : kCaptionInactiveRight];
    switch (theme.metrics[kCaptionStyle]) {
    case kCaptionHorizontal:
        return width > 1 ? Mix(left, right, x * 255 / (width - 1)) : left;
    case kCaptionVertical:
        return height > 1 ? Mix(left, right, y * 255 / (height - 1)) : left;
    default:
        return left;
    }
}

} // namespace orvex::skin

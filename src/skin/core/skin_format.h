// Our skin format: one block of bytes that the skin library copies and draws
// from. Little-endian throughout.
//
//   0   4  ".SHE"
//   4   2  format version (1)
//   6   2  header size (16; readers skip to it)
//   8   4  block size, header included; must equal the count handed over
//  12   4  FNV-1a checksum of the bytes from the header's end to the block's end
//  16  ..  records: u16 tag, u16 payload length, payload
//
// Records: 1 name (ASCII), 2 colours (u32 0x00RRGGBB each, at least
// kColorCount), 3 metrics (u16 each, at least kMetricCount). Unknown tags are
// skipped, so a later version can add records; a known tag given twice, a
// record that leaves the block, or a metric out of its range refuses the block.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex::skin {

enum SkinColor : int {
    kWindowBack,
    kWindowText,
    kButtonTop,
    kButtonBottom,
    kButtonBorder,
    kButtonText,
    kButtonHotTop,
    kButtonHotBottom,
    kButtonDownTop,
    kButtonDownBottom,
    kButtonDisabledText,
    kFocus,
    kListBack,
    kListText,
    kListBorder,
    kEditBack,
    kEditText,
    kMenuBack,
    kMenuText,
    kMenuHighlightBack,
    kMenuHighlightText,
    kMenuDisabledText,
    kMenuStrip,
    kCaptionLeft,
    kCaptionRight,
    kCaptionText,
    kCaptionInactiveLeft,
    kCaptionInactiveRight,
    kCaptionInactiveText,
    kFrame,
    kFrameInactive,
    kColorCount
};

enum SkinMetric : int {
    kButtonRadius,   // corner radius in pixels, 0..12
    kButtonStyle,    // ButtonStyle
    kCaptionStyle,   // CaptionStyle
    kMenuStripWidth, // accent strip at a menu's left edge, 0..8 pixels
    kMetricCount
};

enum ButtonStyle : int { kButtonFlat = 0, kButtonGradient = 1, kButtonGlass = 2 };
enum CaptionStyle : int { kCaptionFlat = 0, kCaptionHorizontal = 1, kCaptionVertical = 2 };

constexpr uint16_t kSkinVersion = 1;
constexpr size_t kSkinHeaderSize = 16;
// Far above any real skin; bounds the copy the library makes.
constexpr size_t kMaxSkinBytes = 64 * 1024;
constexpr size_t kMaxSkinNameBytes = 63;

enum SkinRecordTag : uint16_t { kTagName = 1, kTagColors = 2, kTagMetrics = 3 };

struct SkinTheme {
    std::string name;
    uint32_t colors[kColorCount] = {};  // 0x00RRGGBB
    uint16_t metrics[kMetricCount] = {};
};

// The largest value each metric may take.
uint16_t MetricLimit(SkinMetric metric);

uint32_t SkinChecksum(const uint8_t* data, size_t size);

std::vector<uint8_t> EncodeSkin(const SkinTheme& theme);

// Reads a block of exactly `size` bytes; false (and `out` untouched) when the
// block is not a skin this version can draw.
bool DecodeSkin(const uint8_t* data, size_t size, SkinTheme& out);

} // namespace orvex::skin

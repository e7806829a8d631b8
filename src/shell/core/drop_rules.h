// The rules of a file drop that do not need Windows: the drop text, the drop
// effect shown during a drag, and the chooser window's width.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// Effect and key-state bits, with the values Windows gives them
// (DROPEFFECT_*, MK_*).
enum : uint32_t {
    kEffectNone = 0,
    kEffectCopy = 1,
    kEffectMove = 2,
    kEffectLink = 4,
};
enum : uint32_t {
    kKeyShift = 0x4,
    kKeyControl = 0x8,
};

// The drop text of a file list: one path alone, several each followed by
// "\r\n"; no paths give the empty text.
std::string BuildDropText(const std::vector<std::string>& paths);

// The pieces of a drop text, split at every "\r\n"; a text after the last
// "\r\n" is a piece only when it is not empty.
std::vector<std::string> SplitDropText(const std::string& text);

// The effect a drag shows for the keys held and the effects its source
// allows: Ctrl asks for a copy, Shift for a move, both for nothing; no key
// takes the first of copy, move and link that is allowed.
uint32_t DropEffectFor(uint32_t keyState, uint32_t allowed);

// Width of the chooser window for its paths: the longest, in bytes, × 7.
int ChooserWidth(const std::vector<std::string>& paths);

// Width of the chooser's list box for a window width.
inline int ChooserListWidth(int windowWidth) { return windowWidth - 4; }

} // namespace orvex

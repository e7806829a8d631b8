#include "common/core/text.h"

namespace orvex {

namespace {
bool IsLeadByte(unsigned char c) { return c >= 0x80; }
bool IsAsciiSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
} // namespace

size_t FindLastSeparator(const std::string& text, char separator) {
    size_t found = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            i += 2;
            continue;
        }
        if (c == static_cast<unsigned char>(separator)) found = i;
        ++i;
    }
    return found;
}

std::string DisplayName(const std::string& path) {
    const size_t slash = FindLastSeparator(path, '\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int32_t TextToInt(const std::string& text) {
    // Full-width forms first: 0xA3 0xA1..0xFE are ASCII 0x21..0x7E, 0xA1 0xA1
    // is a space.
    std::string plain;
    plain.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size()) {
            const unsigned char d = static_cast<unsigned char>(text[i + 1]);
            if (c == 0xA3 && d >= 0xA1 && d <= 0xFE) {
                plain += static_cast<char>(d - 0x80);
            } else if (c == 0xA1 && d == 0xA1) {
                plain += ' ';
            } else {
                plain += static_cast<char>(c);
                plain += static_cast<char>(d);
            }
            i += 2;
            continue;
        }
        plain += static_cast<char>(c);
        ++i;
    }

    size_t i = 0;
    while (i < plain.size() && IsAsciiSpace(static_cast<unsigned char>(plain[i]))) ++i;
    bool negative = false;
    if (i < plain.size() && (plain[i] == '+' || plain[i] == '-')) {
        negative = plain[i] == '-';
        ++i;
    }
    uint32_t value = 0;  // unsigned: wraps modulo 2^32 by definition
    while (i < plain.size() && plain[i] >= '0' && plain[i] <= '9') {
        value = value * 10u + static_cast<uint32_t>(plain[i] - '0');
        ++i;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

std::string CutTrailingSpaces(const std::string& text) {
    // Walk characters from the start so that a trail byte 0xA1 is never taken
    // for half of an ideographic space.
    size_t keep = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            const size_t width = i + 1 < text.size() ? 2 : 1;
            const bool space = width == 2 && c == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1;
            i += width;
            if (!space) keep = i;
            continue;
        }
        ++i;
        if (c != ' ') keep = i;
    }
    return text.substr(0, keep);
}

std::string LowerAscii(const std::string& text) {
    std::string out = text;
    for (size_t i = 0; i < out.size();) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c)) {
            i += 2;
            continue;
        }
        if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c - 'A' + 'a');
        ++i;
    }
    return out;
}

std::string KindOf(const std::string& path) {
    // Plain byte-wise lowering: the kind is three bytes, not characters.
    std::string tail = path.size() <= 3 ? path : path.substr(path.size() - 3);
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return tail;
}

std::string Decimal(long long value) { return std::to_string(value); }

} // namespace orvex

// One icon held in memory while it is exported: an IconGroup with one
// IconImage per image. The group owns every image's bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvex {

// A value, or the reason there is none.
template <typename T, typename E>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(E error) : error_(error) {}
    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    E error() const { return error_; }

private:
    std::optional<T> value_;
    E error_{};
};

// Modern icons store their large images as PNG streams instead of DIBs.
enum class ImageFormat : uint8_t { Dib, Png };

struct IconImage {
    // Derived from the bytes by LocateImageParts, never set otherwise.
    int32_t width = 0;
    int32_t height = 0;     // half the stored DIB height: colour and mask share it
    uint32_t bitDepth = 0;  // planes x bit count
    ImageFormat format = ImageFormat::Dib;
    // Offsets into `bytes`; the header always starts at 0. A PNG has neither.
    size_t colorBits = 0;
    size_t maskBits = 0;

    // The image exactly as its source stores it.
    std::vector<uint8_t> bytes;
    uint32_t byteCount() const { return static_cast<uint32_t>(bytes.size()); }
};

struct IconGroup {
    std::string sourceName;  // the .ico file it was read from, or empty
    std::string moduleName;  // the module it was read from, or empty
    std::vector<IconImage> images;
};

// Name fields hold 259 bytes of text at most; a longer path (possible with
// double-byte characters) is kept as the empty text rather than cut into a
// path that names some other file.
constexpr size_t kNameFieldBytes = 259;
std::string NameField(const std::string& path);

} // namespace orvex

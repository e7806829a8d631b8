// Checked little-endian access to byte buffers. Every read names an offset
// and a length and is refused when it would leave the buffer; the arithmetic
// cannot overflow. Nothing here casts a buffer to a struct.
#pragma once
#include <cstddef>
#include <cstdint>

namespace orvex {

// True when [offset, offset + length) lies inside a buffer of `size` bytes.
constexpr bool fitsIn(size_t size, size_t offset, size_t length) {
    return offset <= size && length <= size - offset;
}

class LeReader {
public:
    LeReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t size() const { return size_; }
    const uint8_t* data() const { return data_; }
    bool has(size_t offset, size_t length) const { return fitsIn(size_, offset, length); }

    bool u8(size_t offset, uint8_t& out) const {
        if (!has(offset, 1)) return false;
        out = data_[offset];
        return true;
    }
    bool u16(size_t offset, uint16_t& out) const {
        if (!has(offset, 2)) return false;
        out = static_cast<uint16_t>(data_[offset] | (data_[offset + 1] << 8));
        return true;
    }
    bool u32(size_t offset, uint32_t& out) const {
        if (!has(offset, 4)) return false;
        out = static_cast<uint32_t>(data_[offset]) | (static_cast<uint32_t>(data_[offset + 1]) << 8) |
              (static_cast<uint32_t>(data_[offset + 2]) << 16) | (static_cast<uint32_t>(data_[offset + 3]) << 24);
        return true;
    }
    bool i32(size_t offset, int32_t& out) const {
        uint32_t v;
        if (!u32(offset, v)) return false;
        out = static_cast<int32_t>(v);
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
};

// Little-endian writers into a buffer the caller has sized.
inline void putLe16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}
inline void putLe32(uint8_t* at, uint32_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
    at[2] = static_cast<uint8_t>(v >> 16);
    at[3] = static_cast<uint8_t>(v >> 24);
}

} // namespace orvex

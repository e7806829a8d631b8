// Skin blocks as the skin library receives them: any bytes are refused or
// read whole, and a block that is read encodes to one that reads the same.
// Each input is tried as it is, and once more as the tail of one of the
// tool's own skins from an offset it names, with the size and checksum
// fields made right, so that the records behind the checksum are reached.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/core/le_reader.h"
#include "skin/core/skin_format.h"
#include "skin/core/skin_table.h"

namespace {

using namespace orvex::skin;

bool Same(const SkinTheme& a, const SkinTheme& b) {
    if (a.name != b.name) return false;
    for (int i = 0; i < kColorCount; ++i) {
        if (a.colors[i] != b.colors[i]) return false;
    }
    for (int i = 0; i < kMetricCount; ++i) {
        if (a.metrics[i] != b.metrics[i]) return false;
    }
    return true;
}

void Check(const uint8_t* data, size_t size) {
    SkinTheme theme;
    if (!DecodeSkin(data, size, theme)) return;
    if (theme.name.size() > kMaxSkinNameBytes) __builtin_trap();
    for (int i = 0; i < kColorCount; ++i) {
        if (theme.colors[i] > 0xFFFFFFu) __builtin_trap();
    }
    for (int i = 0; i < kMetricCount; ++i) {
        if (theme.metrics[i] > MetricLimit(static_cast<SkinMetric>(i))) __builtin_trap();
    }
    const std::vector<uint8_t> again = EncodeSkin(theme);
    SkinTheme back;
    if (!DecodeSkin(again.data(), again.size(), back) || !Same(theme, back)) __builtin_trap();
}

} // namespace

void Seal(std::vector<uint8_t>& block) {
    if (block.size() < kSkinHeaderSize) return;
    uint16_t headerSize = 0;
    orvex::LeReader(block.data(), block.size()).u16(6, headerSize);
    const size_t from = headerSize >= kSkinHeaderSize && headerSize <= block.size() ? headerSize : kSkinHeaderSize;
    orvex::putLe32(&block[8], static_cast<uint32_t>(block.size()));
    orvex::putLe32(&block[12], SkinChecksum(block.data() + from, block.size() - from));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Check(data, size);
    if (size < 3) return 0;
    // Input: skin number, u16 offset, then the bytes that replace the skin's
    // tail from that offset on.
    std::vector<uint8_t> block = SkinBlock(1 + data[0] % kSkinCount);
    const size_t offset = (data[1] | (data[2] << 8)) % (block.size() + 1);
    block.resize(offset);
    block.insert(block.end(), data + 3, data + size);
    Seal(block);
    Check(block.data(), block.size());
    return 0;
}

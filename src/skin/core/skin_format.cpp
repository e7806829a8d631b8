#include "skin/core/skin_format.h"

#include "common/core/le_reader.h"

namespace orvex::skin {

uint16_t MetricLimit(SkinMetric metric) {
    switch (metric) {
    case kButtonRadius: return 12;
    case kButtonStyle: return kButtonGlass;
    case kCaptionStyle: return kCaptionVertical;
    case kMenuStripWidth: return 8;
    default: return 0;
    }
}

uint32_t SkinChecksum(const uint8_t* data, size_t size) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        h ^= data[i];
        h *= 16777619u;
    }
    return h;
}

namespace {

void PutRecord(std::vector<uint8_t>& out, uint16_t tag, const std::vector<uint8_t>& payload) {
    const size_t at = out.size();
    out.resize(at + 4 + payload.size());
    putLe16(&out[at], tag);
    putLe16(&out[at + 2], static_cast<uint16_t>(payload.size()));
    for (size_t i = 0; i < payload.size(); ++i) out[at + 4 + i] = payload[i];
}

} // namespace

std::vector<uint8_t> EncodeSkin(const SkinTheme& theme) {
    std::vector<uint8_t> out(kSkinHeaderSize, 0);
    out[0] = '.';
    out[1] = 'S';
    out[2] = 'H';
    out[3] = 'E';
    putLe16(&out[4], kSkinVersion);
    putLe16(&out[6], static_cast<uint16_t>(kSkinHeaderSize));

    const std::string name = theme.name.substr(0, kMaxSkinNameBytes);
    PutRecord(out, kTagName, std::vector<uint8_t>(name.begin(), name.end()));

    std::vector<uint8_t> colors(kColorCount * 4);
    for (int i = 0; i < kColorCount; ++i) putLe32(&colors[static_cast<size_t>(i) * 4], theme.colors[i] & 0xFFFFFFu);
    PutRecord(out, kTagColors, colors);

    std::vector<uint8_t> metrics(kMetricCount * 2);
    for (int i = 0; i < kMetricCount; ++i) putLe16(&metrics[static_cast<size_t>(i) * 2], theme.metrics[i]);
    PutRecord(out, kTagMetrics, metrics);

    putLe32(&out[8], static_cast<uint32_t>(out.size()));
    putLe32(&out[12], SkinChecksum(out.data() + kSkinHeaderSize, out.size() - kSkinHeaderSize));
    return out;
}

bool DecodeSkin(const uint8_t* data, size_t size, SkinTheme& out) {
    if (!data || size < kSkinHeaderSize || size > kMaxSkinBytes) return false;
    const LeReader r(data, size);
    if (data[0] != '.' || data[1] != 'S' || data[2] != 'H' || data[3] != 'E') return false;
    uint16_t version = 0, headerSize = 0;
    uint32_t blockSize = 0, checksum = 0;
    if (!r.u16(4, version) || !r.u16(6, headerSize) || !r.u32(8, blockSize) || !r.u32(12, checksum)) return false;
    if (version != kSkinVersion) return false;
    if (headerSize < kSkinHeaderSize || headerSize > size) return false;
    if (blockSize != size) return false;
    if (SkinChecksum(data + headerSize, size - headerSize) != checksum) return false;

    SkinTheme theme;
    bool seenName = false, seenColors = false, seenMetrics = false;
    size_t at = headerSize;
    while (at < size) {
        uint16_t tag = 0, length = 0;
        if (!r.u16(at, tag) || !r.u16(at + 2, length) || !r.has(at + 4, length)) return false;
        const size_t payload = at + 4;
        switch (tag) {
        case kTagName:
            if (seenName || length > kMaxSkinNameBytes) return false;
            seenName = true;
            for (size_t i = 0; i < length; ++i) {
                const uint8_t c = data[payload + i];
                if (c < 0x20 || c > 0x7E) return false;
                theme.name.push_back(static_cast<char>(c));
            }
            break;
        case kTagColors:
            if (seenColors || length % 4 != 0 || length / 4 < kColorCount) return false;
            seenColors = true;
            for (int i = 0; i < kColorCount; ++i) {
                uint32_t c = 0;
                if (!r.u32(payload + static_cast<size_t>(i) * 4, c) || c > 0xFFFFFFu) return false;
                theme.colors[i] = c;
            }
            break;
        case kTagMetrics:
            if (seenMetrics || length % 2 != 0 || length / 2 < kMetricCount) return false;
            seenMetrics = true;
            for (int i = 0; i < kMetricCount; ++i) {
                uint16_t m = 0;
                if (!r.u16(payload + static_cast<size_t>(i) * 2, m) || m > MetricLimit(static_cast<SkinMetric>(i))) {
                    return false;
                }
                theme.metrics[i] = m;
            }
            break;
        default:
            break;  // a record of a later version
        }
        at = payload + length;
    }
    if (!seenColors || !seenMetrics) return false;
    out = theme;
    return true;
}

} // namespace orvex::skin

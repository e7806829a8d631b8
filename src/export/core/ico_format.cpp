#include "export/core/ico_format.h"

#include <limits>

#include "common/core/le_reader.h"
#include "export/core/dib.h"

namespace orvex {

Result<uint16_t, IcoError> ParseIcoHead(const uint8_t* data, size_t size) {
    const LeReader r(data, size);
    uint16_t reserved = 0, type = 0, count = 0;
    if (!r.u16(0, reserved) || !r.u16(2, type) || !r.u16(4, count)) return IcoError::ShortHead;
    if (reserved != 0) return IcoError::NotReserved;
    if (type != 1) return IcoError::NotIcon;
    return count;
}

Result<std::vector<IcoEntry>, IcoError> ParseIcoDirectory(const uint8_t* data, size_t size, uint16_t count) {
    const LeReader r(data, size);
    if (!r.has(0, size_t{count} * kIcoEntryBytes)) return IcoError::CutDirectory;
    std::vector<IcoEntry> entries(count);
    for (size_t i = 0; i < count; ++i) {
        // Width, height, colours and depth are never trusted: the image's own
        // header says them.
        r.u32(i * kIcoEntryBytes + 8, entries[i].byteCount);
        r.u32(i * kIcoEntryBytes + 12, entries[i].offset);
    }
    return entries;
}

std::optional<IcoError> CheckIcoEntry(const IcoEntry& entry, uint64_t fileSize) {
    if (entry.offset >= kIcoOffsetLimit) return IcoError::OffsetOutOfReach;
    if (uint64_t{entry.offset} + entry.byteCount > fileSize) return IcoError::ImageBeyondFile;
    return std::nullopt;
}

Result<IconGroup, IcoError> ParseIcoFile(const uint8_t* data, size_t size) {
    const Result<uint16_t, IcoError> count = ParseIcoHead(data, size);
    if (!count) return count.error();
    const Result<std::vector<IcoEntry>, IcoError> entries =
        ParseIcoDirectory(data + kIcoHeadBytes, size - kIcoHeadBytes, count.value());
    if (!entries) return entries.error();

    IconGroup group;
    group.images.reserve(entries.value().size());
    for (const IcoEntry& e : entries.value()) {
        if (const std::optional<IcoError> bad = CheckIcoEntry(e, size)) return *bad;
        IconImage image;
        image.bytes.assign(data + e.offset, data + e.offset + e.byteCount);
        if (LocateImageParts(&image)) return IcoError::BadImage;
        group.images.push_back(std::move(image));
    }
    return group;
}

Result<std::vector<uint8_t>, IcoError> BuildIcoFile(const IconGroup& group) {
    const size_t count = group.images.size();
    if (count > 0xFFFF) return IcoError::TooLarge;

    uint64_t total = kIcoHeadBytes + kIcoEntryBytes * uint64_t{count};
    std::vector<ImageLayout> layouts;
    layouts.reserve(count);
    for (const IconImage& image : group.images) {
        // The writer works from the bytes, not from fields someone may have
        // left stale.
        const Result<ImageLayout, ImageError> l = ReadImageLayout(image.bytes.data(), image.bytes.size());
        if (!l) return IcoError::BadImage;
        layouts.push_back(l.value());
        total += image.bytes.size();
    }
    if (total > std::numeric_limits<uint32_t>::max()) return IcoError::TooLarge;

    std::vector<uint8_t> file(static_cast<size_t>(total), 0);
    uint8_t* p = file.data();
    putLe16(p + 0, 0);
    putLe16(p + 2, 1);
    putLe16(p + 4, static_cast<uint16_t>(count));

    size_t offset = kIcoHeadBytes + kIcoEntryBytes * count;
    for (size_t i = 0; i < count; ++i) {
        const IconImage& image = group.images[i];
        const ImageLayout& l = layouts[i];
        uint8_t* entry = p + kIcoHeadBytes + kIcoEntryBytes * i;
        entry[0] = static_cast<uint8_t>(l.width);   // 256 becomes 0
        entry[1] = static_cast<uint8_t>(l.height);  // already half the DIB height
        const bool dib = l.format == ImageFormat::Dib;
        entry[2] = dib && l.bitDepth < 8 ? static_cast<uint8_t>(1u << l.bitDepth) : 0;
        entry[3] = 0;
        putLe16(entry + 4, l.planes);
        putLe16(entry + 6, l.bitCount);
        putLe32(entry + 8, image.byteCount());
        putLe32(entry + 12, static_cast<uint32_t>(offset));

        uint8_t* out = p + offset;
        for (size_t b = 0; b < image.bytes.size(); ++b) out[b] = image.bytes[b];
        // A PNG keeps its own bytes: offset 20 is inside its IHDR.
        if (dib) putLe32(out + kBiSizeImageOffset, 0);
        offset += image.bytes.size();
    }
    return file;
}

} // namespace orvex

#include "export/core/group_resource.h"

#include "common/core/le_reader.h"
#include "export/core/dib.h"

namespace orvex {

Result<std::vector<uint16_t>, GroupError> ParseGroupResource(const uint8_t* data, size_t size) {
    const LeReader r(data, size);
    uint16_t count = 0;
    // Reserved and type words are not looked at; only the count and the ids.
    if (!r.has(0, kGroupHeadBytes) || !r.u16(4, count)) return GroupError::ShortHead;
    if (!r.has(kGroupHeadBytes, size_t{count} * kGroupEntryBytes)) return GroupError::CutEntries;
    std::vector<uint16_t> ids(count);
    for (size_t i = 0; i < count; ++i) r.u16(kGroupHeadBytes + i * kGroupEntryBytes + 12, ids[i]);
    return ids;
}

Result<IconGroup, GroupError> AssembleModuleGroup(const uint8_t* data, size_t size, const IconResourceLookup& lookup) {
    const Result<std::vector<uint16_t>, GroupError> ids = ParseGroupResource(data, size);
    if (!ids) return ids.error();
    IconGroup group;
    group.images.reserve(ids.value().size());
    for (const uint16_t id : ids.value()) {
        const uint8_t* bytes = nullptr;
        size_t length = 0;
        if (!lookup(id, bytes, length)) return GroupError::MissingImage;
        IconImage image;
        if (length > 0) image.bytes.assign(bytes, bytes + length);
        if (LocateImageParts(&image)) return GroupError::BadImage;
        group.images.push_back(std::move(image));
    }
    return group;
}

} // namespace orvex

// An icon-group resource (RT_GROUP_ICON): a 6-byte head and one 14-byte
// entry per image, each naming the image's RT_ICON resource by integer id.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "export/core/icon_records.h"

namespace orvex {

constexpr size_t kGroupHeadBytes = 6;
constexpr size_t kGroupEntryBytes = 14;

enum class GroupError {
    ShortHead,     // fewer than 6 bytes
    CutEntries,    // fewer than 6 + 14 x count bytes
    MissingImage,  // an entry names an image the module does not hold
    BadImage,      // an image whose parts cannot be located
};

// The image ids, in the order of the entries.
Result<std::vector<uint16_t>, GroupError> ParseGroupResource(const uint8_t* data, size_t size);

// Finds the bytes of RT_ICON resource `id`; false when there is none. The
// bytes need only live until the call returns to the assembler.
using IconResourceLookup = std::function<bool(uint16_t id, const uint8_t*& data, size_t& size)>;

// A group from its resource and the module's images, each image copied.
Result<IconGroup, GroupError> AssembleModuleGroup(const uint8_t* data, size_t size, const IconResourceLookup& lookup);

} // namespace orvex

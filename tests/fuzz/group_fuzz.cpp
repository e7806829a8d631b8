// A module's icon group in memory: an RT_GROUP_ICON resource and the RT_ICON
// resources it names go through the assembler, the locator and every writer.
// Input: u16 group length, the group bytes, then per icon: u16 id, u32
// length, bytes (cut to what is left).
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>

#include "common/core/le_reader.h"
#include "export/core/group_resource.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const orvex::LeReader r(data, size);
    uint16_t groupLength = 0;
    if (!r.u16(0, groupLength) || !r.has(2, groupLength)) return 0;
    std::map<uint16_t, std::pair<const uint8_t*, size_t>> icons;
    size_t at = 2 + size_t{groupLength};
    uint16_t id = 0;
    uint32_t length = 0;
    while (r.u16(at, id) && r.u32(at + 2, length)) {
        at += 6;
        const size_t take = length <= size - at ? length : size - at;
        icons.emplace(id, std::make_pair(data + at, take));  // the first of one id wins
        at += take;
    }
    const orvex::IconResourceLookup lookup = [&icons](uint16_t want, const uint8_t*& bytes, size_t& count) {
        const auto it = icons.find(want);
        if (it == icons.end()) return false;
        bytes = it->second.first;
        count = it->second.second;
        return true;
    };
    const orvex::Result<orvex::IconGroup, orvex::GroupError> group =
        orvex::AssembleModuleGroup(data + 2, groupLength, lookup);
    if (group) orvex::fuzz::CheckWriters(group.value());
    return 0;
}

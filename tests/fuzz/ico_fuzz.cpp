// The .ico parser and, for every file it accepts, every writer.
#include <cstddef>
#include <cstdint>

#include "export/core/ico_format.h"
#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const orvex::Result<orvex::IconGroup, orvex::IcoError> group = orvex::ParseIcoFile(data, size);
    if (group) orvex::fuzz::CheckWriters(group.value());
    return 0;
}

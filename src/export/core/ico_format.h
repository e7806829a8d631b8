// The .ico file: a 6-byte head, one 16-byte entry per image, the images.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "export/core/icon_records.h"

namespace orvex {

constexpr size_t kIcoHeadBytes = 6;
constexpr size_t kIcoEntryBytes = 16;
// The file position is set with a signed 32-bit distance: 2 GiB and beyond
// cannot be reached.
constexpr uint32_t kIcoOffsetLimit = 0x80000000u;

enum class IcoError {
    ShortHead,         // fewer than 6 bytes
    NotReserved,       // word 0 is not 0
    NotIcon,           // word 1 is not 1 (a cursor has 2)
    CutDirectory,      // fewer than 16 bytes per image after the head
    OffsetOutOfReach,  // an image offset of 2 GiB or more
    ImageBeyondFile,   // an image ends past the end of the file
    BadImage,          // an image whose parts cannot be located
    TooLarge,          // the file to write would not fit its 32-bit fields
};

// The two fields of a directory entry the reader uses.
struct IcoEntry {
    uint32_t byteCount = 0;
    uint32_t offset = 0;
};

// The image count of a head, or why the head is refused.
Result<uint16_t, IcoError> ParseIcoHead(const uint8_t* data, size_t size);
// `count` entries from a directory block.
Result<std::vector<IcoEntry>, IcoError> ParseIcoDirectory(const uint8_t* data, size_t size, uint16_t count);
// Whether an entry's image can be read from a file of `fileSize` bytes.
std::optional<IcoError> CheckIcoEntry(const IcoEntry& entry, uint64_t fileSize);

// A whole .ico file held in memory, read as the file reader reads it.
Result<IconGroup, IcoError> ParseIcoFile(const uint8_t* data, size_t size);

// The bytes of the .ico file for a group: every image as it is stored,
// except that a DIB's biSizeImage is written as 0. A PNG image is copied
// unchanged and listed from its IHDR.
Result<std::vector<uint8_t>, IcoError> BuildIcoFile(const IconGroup& group);

} // namespace orvex

#include "export/ico_reader.h"

#include <windows.h>

#include <new>
#include <vector>

#include "common/handles.h"
#include "export/core/dib.h"
#include "export/core/ico_format.h"

namespace orvex {

namespace {

bool ReadExactly(HANDLE file, uint8_t* into, size_t count) {
    DWORD got = 0;
    return ReadFile(file, into, static_cast<DWORD>(count), &got, nullptr) && got == count;
}

std::optional<IconGroup> Read(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    // Entries are checked against the file's length before any image block
    // is allocated, so a lying directory cannot ask for gigabytes.
    LARGE_INTEGER fileSize = {};
    if (!GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart < 0) return std::nullopt;

    uint8_t head[kIcoHeadBytes];
    if (!ReadExactly(file.get(), head, sizeof head)) return std::nullopt;
    const Result<uint16_t, IcoError> count = ParseIcoHead(head, sizeof head);
    if (!count) return std::nullopt;

    std::vector<uint8_t> directory(size_t{count.value()} * kIcoEntryBytes);
    if (!ReadExactly(file.get(), directory.data(), directory.size())) return std::nullopt;
    const Result<std::vector<IcoEntry>, IcoError> entries =
        ParseIcoDirectory(directory.data(), directory.size(), count.value());
    if (!entries) return std::nullopt;

    IconGroup group;
    group.sourceName = NameField(path);
    group.images.reserve(entries.value().size());
    for (const IcoEntry& entry : entries.value()) {
        if (CheckIcoEntry(entry, static_cast<uint64_t>(fileSize.QuadPart))) return std::nullopt;
        // Below 2 GiB, so the distance is a positive LONG.
        if (SetFilePointer(file.get(), static_cast<LONG>(entry.offset), nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER) {
            return std::nullopt;
        }
        IconImage image;
        image.bytes.resize(entry.byteCount);
        if (!ReadExactly(file.get(), image.bytes.data(), image.bytes.size())) return std::nullopt;
        if (LocateImageParts(&image)) return std::nullopt;
        group.images.push_back(std::move(image));
    }
    return group;
}

} // namespace

std::optional<IconGroup> ReadIcoFile(const std::string& path) {
    try {
        return Read(path);
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // images shared by many entries can add up
    }
}

} // namespace orvex

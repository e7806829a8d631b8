#include "export/export_icon.h"

#include <windows.h>

#include <new>
#include <optional>

#include "common/core/text.h"
#include "common/handles.h"
#include "export/ico_reader.h"
#include "export/module_reader.h"
#include "export/writers.h"

namespace orvex {

namespace {

bool PutOut(const IconGroup& group, int mode, const std::string& destination) {
    if (mode == 1) return !group.images.empty() && CopyImageToClipboard(group.images.front());
    const std::string kind = KindOf(destination);
    if (kind == "ico") return WriteIcoFile(group, destination);  // no images: the 6-byte head
    if (kind == "bmp") return !group.images.empty() && WriteBmpFile(destination, group.images.front());
    return false;  // no writer for this kind
}

int Export(const std::string& source, int mode, const std::string& destination, int n) {
    if (mode == 0 && destination.empty()) return 0;

    const std::string kind = KindOf(source);
    std::optional<IconGroup> group;
    int count = 0;
    if (kind == "ico") {
        group = ReadIcoFile(source);
        count = 1;
        if (n > count) return 0;
    } else if (kind == "exe" || kind == "dll" || kind == "icl") {
        // One load serves both the count and the group.
        Module module(LoadLibraryExA(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (!module) return 0;
        const IconGroupLookup lookup = FindIconGroupName(module.get(), n);
        count = lookup.count;
        if (count == 0 || n > count) return 0;
        group = ReadModuleIconGroup(module.get(), source, lookup.name);
    } else {
        return 0;
    }
    if (!group) return 0;
    return PutOut(*group, mode, destination) ? count : 0;
}

} // namespace

int ExportIcon(const std::string& source, int mode, const std::string& destination, int n) {
    if (mode < 0 || mode > 1) mode = 1;
    if (n <= 0) n = 1;
    try {
        return Export(source, mode, destination, n);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace orvex

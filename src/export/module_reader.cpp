#include "export/module_reader.h"

#include <cstdint>
#include <new>

#include "common/handles.h"
#include "export/core/group_resource.h"

namespace orvex {

namespace {

// Spelled out: the plain macros follow the UNICODE setting.
const LPCSTR kIconType = MAKEINTRESOURCEA(3);        // RT_ICON
const LPCSTR kGroupIconType = MAKEINTRESOURCEA(14);  // RT_GROUP_ICON

struct LookupState {
    int seen = 0;
    int wanted = 0;
    std::optional<ResourceName> found;
};

BOOL CALLBACK OnGroupName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    LookupState& state = *reinterpret_cast<LookupState*>(param);
    ++state.seen;
    if (state.seen == state.wanted) {
        ResourceName n;
        if (IS_INTRESOURCE(name)) {
            n.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
            state.found = std::move(n);
        } else {
            // No exception may cross the system's enumeration.
            try {
                n.isText = true;
                n.text = name;
                state.found = std::move(n);
            } catch (const std::bad_alloc&) {
            }
        }
    }
    return TRUE;  // every group is counted, those after n too
}

// Resource sizes come from the module's own directory: make sure the bytes
// they claim are mapped before reading them.
bool IsReadable(const void* data, size_t size) {
    uintptr_t at = reinterpret_cast<uintptr_t>(data);
    const uintptr_t end = at + size;
    if (end < at) return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info = {};
        if (!VirtualQuery(reinterpret_cast<LPCVOID>(at), &info, sizeof info)) return false;
        const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (info.State != MEM_COMMIT || !(info.Protect & readable) || (info.Protect & PAGE_GUARD)) return false;
        at = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    }
    return true;
}

// The bytes of one resource, or false.
bool ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, const uint8_t*& data, size_t& size) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return false;
    size = SizeofResource(module, found);
    data = static_cast<const uint8_t*>(LockResource(loaded));
    if (!data) return size == 0;
    return IsReadable(data, size);
}

std::optional<IconGroup> Read(HMODULE module, const std::string& path, const std::optional<ResourceName>& name) {
    if (!module || !name) return std::nullopt;
    const uint8_t* groupData = nullptr;
    size_t groupSize = 0;
    if (!ResourceBytes(module, name->get(), kGroupIconType, groupData, groupSize)) return std::nullopt;

    const IconResourceLookup lookup = [module](uint16_t id, const uint8_t*& data, size_t& size) {
        return ResourceBytes(module, MAKEINTRESOURCEA(id), kIconType, data, size);
    };
    Result<IconGroup, GroupError> group = AssembleModuleGroup(groupData, groupSize, lookup);
    if (!group) return std::nullopt;
    group.value().moduleName = NameField(path);
    return std::move(group.value());
}

} // namespace

IconGroupLookup FindIconGroupName(HMODULE module, int n) {
    LookupState state;
    state.wanted = n;
    IconGroupLookup result;
    if (!EnumResourceNamesA(module, kGroupIconType, OnGroupName, reinterpret_cast<LONG_PTR>(&state))) {
        return result;  // no icon group at all
    }
    result.count = state.seen;
    result.name = std::move(state.found);
    return result;
}

std::optional<IconGroup> ReadModuleIconGroup(const std::string& path, const std::optional<ResourceName>& name) {
    Module module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    return ReadModuleIconGroup(module.get(), path, name);
}

std::optional<IconGroup> ReadModuleIconGroup(HMODULE module, const std::string& path,
                                             const std::optional<ResourceName>& name) {
    try {
        return Read(module, path, name);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace orvex

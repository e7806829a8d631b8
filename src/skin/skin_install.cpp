#include "skin/skin_install.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/prompts.h"
#include "common/handles.h"
#include "skin/core/skin_table.h"
#include "skin/skin_resources.h"

namespace orvex {

namespace {

const char kLibraryFile[] = "SkinH_EL.dll";
const char kAttachEntry[] = "SkinH_AttachRes";

// skin address, byte count, an empty text, three zeros; the answer is ignored.
using AttachSkin = int(WINAPI*)(const void*, int, const char*, int, int, int);

struct SkinLibrary {
    Module module;
    AttachSkin attach = nullptr;
};

SkinLibrary& Loaded() {
    static SkinLibrary library;
    return library;
}

// A file carried in the program's resources: its bytes, or empty.
std::vector<uint8_t> Carried(int id) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!info) return {};
    HGLOBAL block = LoadResource(self, info);
    const auto* data = static_cast<const uint8_t*>(block ? LockResource(block) : nullptr);
    const DWORD size = SizeofResource(self, info);
    if (!data || size == 0) return {};
    return std::vector<uint8_t>(data, data + size);
}

std::string LibraryPath() { return App().programDirectory + "\\" + kLibraryFile; }

// The library is loaded at the first call: from the program folder, else by
// the system's search. Without it the tool cannot go on.
AttachSkin AttachEntry() {
    SkinLibrary& library = Loaded();
    if (library.attach) return library.attach;
    Module module(LoadLibraryA(LibraryPath().c_str()));
    if (!module) module.reset(LoadLibraryA(kLibraryFile));
    FARPROC entry = module ? GetProcAddress(module.get(), kAttachEntry) : nullptr;
    if (!entry) {
        module.reset();
        FatalError(std::string("无法找到指定DLL库文件“") + kLibraryFile + "”中的输出命令“" + kAttachEntry + "”");
    }
    library.module = std::move(module);
    library.attach = reinterpret_cast<AttachSkin>(reinterpret_cast<void*>(entry));
    return library.attach;
}

} // namespace

void EnsureSkinLibrary() {
    const std::string path = LibraryPath();
    // Any entry of that name counts: a file of any content, or a folder.
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    const std::vector<uint8_t> image = Carried(ORVEX_SKIN_LIBRARY_RESOURCE);
    if (image.empty()) return;
    bool complete = false;
    {
        // CREATE_NEW: an entry that appeared meanwhile is still never replaced.
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return;
        DWORD written = 0;
        complete = WriteFile(file.get(), image.data(), static_cast<DWORD>(image.size()), &written, nullptr) &&
                   written == image.size();
    }
    if (!complete) {
        // A cut-off library would count as present at every later start and
        // never load: take it away so the next start writes it again.
        DeleteFileA(path.c_str());
        return;
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

void InstallSkin(int number) {
    EnsureSkinLibrary();
    std::vector<uint8_t> skin;
    if (number >= 1 && number <= skin::kSkinCount) skin = Carried(ORVEX_SKIN_RESOURCE_BASE + number);
    AttachSkin attach = AttachEntry();
    attach(skin.empty() ? nullptr : skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
    // The library keeps its own copy; ours goes now.
    std::vector<uint8_t>().swap(skin);
}

void UnloadSkinLibrary() {
    SkinLibrary& library = Loaded();
    library.attach = nullptr;
    library.module.reset();
}

} // namespace orvex

// SkinH_EL.dll: draws every window of the thread that attaches a skin, the
// windows it creates later included.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/core/skin_format.h"
#include "skin_library.h"
#include "skin_paint.h"

namespace orvex::skinlib {

namespace {

HMODULE g_module = nullptr;
std::unique_ptr<Library> g_library;

// Whether all of [address, address + size) is committed memory we may read;
// a block we cannot read is refused, not touched.
bool Readable(const void* address, size_t size) {
    uintptr_t at = reinterpret_cast<uintptr_t>(address);
    const uintptr_t end = at + size;
    if (end < at) return false;
    while (at < end) {
        MEMORY_BASIC_INFORMATION info = {};
        if (!VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info)) return false;
        if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
        const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                               PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
        if (!(info.Protect & readable)) return false;
        const uintptr_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (regionEnd <= at) return false;
        at = regionEnd;
    }
    return true;
}

void MakeBrushes(Library& lib) {
    lib.backBrush.reset(CreateSolidBrush(lib.Color(skin::kWindowBack)));
    lib.listBrush.reset(CreateSolidBrush(lib.Color(skin::kListBack)));
    lib.editBrush.reset(CreateSolidBrush(lib.Color(skin::kEditBack)));
    lib.menuBrush.reset(CreateSolidBrush(lib.Color(skin::kMenuBack)));
}

void MakeFonts(Library& lib) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    lib.captionFont.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
    lib.menuFont.reset(CreateFontIndirectW(&metrics.lfMenuFont));
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_library) SkinWindow(reinterpret_cast<HWND>(wParam), true);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int Attach(const void* block, int count) {
    if (!block || count <= 0 || static_cast<size_t>(count) > skin::kMaxSkinBytes) return 0;
    if (!Readable(block, static_cast<size_t>(count))) return 0;
    // Our own copy: the caller releases its buffer as soon as we return.
    const auto* bytes = static_cast<const uint8_t*>(block);
    const std::vector<uint8_t> copy(bytes, bytes + count);
    skin::SkinTheme theme;
    if (!skin::DecodeSkin(copy.data(), copy.size(), theme)) return 0;

    if (!g_library) {
        auto lib = std::make_unique<Library>();
        lib->thread = GetCurrentThreadId();
        lib->hook.reset(SetWindowsHookExW(WH_CBT, CreationHook, g_module, lib->thread));
        if (!lib->hook) return 0;
        lib->theme = theme;
        MakeBrushes(*lib);
        MakeFonts(*lib);
        g_library = std::move(lib);
        SkinThreadWindows();
    } else {
        // A second skin replaces the first.
        g_library->theme = theme;
        MakeBrushes(*g_library);
    }
    RefreshAll();
    return 1;
}

void Detach() {
    if (!g_library) return;
    g_library->hook.reset();
    UnskinAll();
    g_library.reset();
}

} // namespace

COLORREF Library::Color(skin::SkinColor c) const { return ToColorRef(theme.colors[c]); }

SkinnedWindow* Library::Find(HWND hwnd) const {
    for (const auto& w : windows) {
        if (w->hwnd == hwnd) return w.get();
    }
    return nullptr;
}

Library* Current() { return g_library.get(); }

} // namespace orvex::skinlib

// The one entry: a skin block and its byte count. The text and the three
// numbers after them are reserved. Answers 1 when the skin was attached, 0
// when the block was refused and the windows were left as they are.
extern "C" int WINAPI SkinH_AttachRes(const void* skin, int count, const char* reserved, int, int, int) {
    (void)reserved;
    return orvex::skinlib::Attach(skin, count);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        orvex::skinlib::g_module = module;
        DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded while the process goes on: give every window back.
        orvex::skinlib::Detach();
    }
    return TRUE;
}

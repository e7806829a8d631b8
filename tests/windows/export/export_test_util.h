// What the export tests share: bytes of files and of the clipboard, icons
// loaded back through the platform.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "fixtures.h"
#include "fixtures/icon_samples.h"
#include "support/test_env.h"

namespace orvex::test {

using samples::Bytes;

inline Bytes FileBytes(const std::string& path) { return samples::AsBytes(ReadFileBytes(path)); }
inline bool WriteBytes(const std::string& path, const Bytes& b) { return WriteFileBytes(path, samples::AsString(b)); }

// The CF_DIB block on the clipboard; empty when there is none.
inline Bytes ClipboardDib() {
    Bytes out;
    if (!OpenClipboard(nullptr)) return out;
    if (HANDLE h = GetClipboardData(CF_DIB)) {
        const SIZE_T size = GlobalSize(h);
        if (const void* p = GlobalLock(h)) {
            const auto* b = static_cast<const uint8_t*>(p);
            out.assign(b, b + size);
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

// Puts a text on the clipboard, so that a test can see it was left alone.
inline bool PutClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    bool ok = false;
    if (block) {
        memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        ok = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!ok) GlobalFree(block);
    }
    CloseClipboard();
    return ok;
}

inline std::string ClipboardText() {
    std::string out;
    if (!OpenClipboard(nullptr)) return out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            out = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

// Width and height of the icon the platform loads from an .ico file when
// asked for `size` x `size`; {0, 0} when it cannot load it.
inline SIZE LoadedIconSize(const std::string& path, int size) {
    SIZE got = {0, 0};
    HICON icon = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
    if (!icon) return got;
    ICONINFO info = {};
    if (GetIconInfo(icon, &info)) {
        BITMAP bm = {};
        if (info.hbmColor && GetObject(info.hbmColor, sizeof bm, &bm)) got = {bm.bmWidth, bm.bmHeight};
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    DestroyIcon(icon);
    return got;
}

// An image's bytes as an .ico file holds them: biSizeImage 0 in a DIB.
inline Bytes AsWrittenInIco(Bytes image) {
    if (image.size() >= 40 && image[0] != 0x89) {
        for (size_t i = 20; i < 24; ++i) image[i] = 0;
    }
    return image;
}

inline uint32_t Le32At(const Bytes& b, size_t at) {
    return b.size() < at + 4 ? 0 : static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t{b[at + 3]} << 24);
}

} // namespace orvex::test

// What the export tests share: bytes of files and of the clipboard, icons
// loaded back through the platform.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/handles.h"
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
    ClipboardGuard clipboard(nullptr);
    if (!clipboard.isOpen()) return out;
    if (HANDLE h = GetClipboardData(CF_DIB)) {
        GlobalLockGuard lock(h);
        if (const auto* b = static_cast<const uint8_t*>(lock.data())) out.assign(b, b + GlobalSize(h));
    }
    return out;
}

// Puts a text on the clipboard, so that a test can see it was left alone.
inline bool PutClipboardText(const std::string& text) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!block) return false;
    {
        GlobalLockGuard lock(block.get());
        if (!lock.data()) return false;
        memcpy(lock.data(), text.c_str(), text.size() + 1);
    }
    ClipboardGuard clipboard(nullptr);
    if (!clipboard.isOpen() || !EmptyClipboard() || !SetClipboardData(CF_TEXT, block.get())) return false;
    block.release();  // the clipboard's now
    return true;
}

inline std::string ClipboardText() {
    std::string out;
    ClipboardGuard clipboard(nullptr);
    if (!clipboard.isOpen()) return out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        GlobalLockGuard lock(h);
        if (const char* p = static_cast<const char*>(lock.data())) out = p;
    }
    return out;
}

// Width and height of the icon the platform loads from an .ico file when
// asked for `size` x `size`; {0, 0} when it cannot load it.
inline SIZE LoadedIconSize(const std::string& path, int size) {
    SIZE got = {0, 0};
    Icon icon(static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon.get(), &info)) return got;
    GdiObject color(info.hbmColor);
    GdiObject mask(info.hbmMask);
    BITMAP bm = {};
    if (color && GetObject(color.get(), sizeof bm, &bm)) got = {bm.bmWidth, bm.bmHeight};
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

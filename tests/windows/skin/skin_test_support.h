// Helpers of the skin tests: the built libraries, carried resources, pixels.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "common/handles.h"
#include "skin/core/skin_table.h"
#include "skin/skin_install.h"
#include "skin/skin_resources.h"
#include "support/test_env.h"

namespace orvex::test {

// The real library as built, and the stand-in that records calls.
inline std::string BuiltLibraryPath() { return EnvPath("ORVEX_BINARY_DIR") + "\\skinlib\\SkinH_EL.dll"; }
inline std::string ProbeLibraryPath() { return EnvPath("ORVEX_BINARY_DIR") + "\\skinlib\\probe\\SkinH_EL.dll"; }

// A resource of this program (the tool's resources are linked into every test).
inline std::string CarriedResource(int id) {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    if (!info) return {};
    HGLOBAL block = LoadResource(self, info);
    const char* data = static_cast<const char*>(block ? LockResource(block) : nullptr);
    return data ? std::string(data, SizeofResource(self, info)) : std::string();
}

inline std::string SkinBytes(int number) {
    const std::vector<uint8_t> block = skin::SkinBlock(number);
    return std::string(block.begin(), block.end());
}

inline COLORREF ColorOf(uint32_t rgb) { return RGB(skin::RedOf(rgb), skin::GreenOf(rgb), skin::BlueOf(rgb)); }

inline skin::SkinTheme Theme(int number) {
    skin::SkinTheme t;
    skin::BuildSkin(number, t);
    return t;
}

// What a file reads back as after its attributes were set to hidden alone:
// some systems report more (Wine always adds the archive bit to files).
inline DWORD HiddenAloneAsReported(const TempFolder& folder) {
    const std::string reference = folder.File("hidden reference");
    WriteFileBytes(reference, "x");
    SetFileAttributesA(reference.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const DWORD reported = GetFileAttributesA(reference.c_str());
    SetFileAttributesA(reference.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(reference.c_str());
    return reported;
}

// Points the tool's program folder at `folder` for one test; the skin
// library is unloaded when the scope ends.
class ProgramFolderScope {
public:
    explicit ProgramFolderScope(const std::string& folder) : former_(App().programDirectory) {
        App().programDirectory = folder;
    }
    ~ProgramFolderScope() {
        UnloadSkinLibrary();
        App().programDirectory = former_;
    }
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;

private:
    std::string former_;
};

// The DC of a whole window (or of its client area), released on destruction.
class WindowDcScope {
public:
    explicit WindowDcScope(HWND hwnd, bool whole = true) : hwnd_(hwnd), dc_(whole ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    ~WindowDcScope() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDcScope(const WindowDcScope&) = delete;
    WindowDcScope& operator=(const WindowDcScope&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A 32-bit top-down copy of what a DC shows.
class Capture {
public:
    Capture(HDC source, int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        MemoryDc memory(source);
        if (bitmap_ && memory.get()) {
            HGDIOBJ old = SelectObject(memory.get(), bitmap_.get());
            BitBlt(memory.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
            GdiFlush();
            SelectObject(memory.get(), old);
            pixels_ = static_cast<const uint32_t*>(bits);
        }
    }
    bool ok() const { return pixels_ != nullptr; }
    COLORREF At(int x, int y) const {
        if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
        const uint32_t p = pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_, height_;
    GdiObject bitmap_;
    const uint32_t* pixels_ = nullptr;
};

inline std::string Hex(COLORREF c) {
    char buf[16];
    snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

} // namespace orvex::test

// One owner per Windows handle: a small move-only template with a deleter per
// kind. Every handle the tool obtains lives in one of these, so it is
// released on every path.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <utility>

namespace orvex {

template <typename T, typename Deleter>
class Owned {
public:
    Owned() = default;
    explicit Owned(T value) : value_(value) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : value_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    T get() const { return value_; }
    explicit operator bool() const { return Deleter::valid(value_); }
    T release() { T v = value_; value_ = Deleter::empty(); return v; }
    void reset(T value = Deleter::empty()) {
        if (Deleter::valid(value_)) Deleter::free(value_);
        value_ = value;
    }
    // For out-parameters of functions that hand over a new handle.
    T* put() { reset(); return &value_; }

private:
    T value_ = Deleter::empty();
};

struct FileHandleDeleter {
    static HANDLE empty() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void free(HANDLE h) { CloseHandle(h); }
};
using FileHandle = Owned<HANDLE, FileHandleDeleter>;

struct RegKeyDeleter {
    static HKEY empty() { return nullptr; }
    static bool valid(HKEY h) { return h != nullptr; }
    static void free(HKEY h) { RegCloseKey(h); }
};
using RegKey = Owned<HKEY, RegKeyDeleter>;

struct ModuleDeleter {
    static HMODULE empty() { return nullptr; }
    static bool valid(HMODULE h) { return h != nullptr; }
    static void free(HMODULE h) { FreeLibrary(h); }
};
using Module = Owned<HMODULE, ModuleDeleter>;

struct IconDeleter {
    static HICON empty() { return nullptr; }
    // ExtractIcon answers 1 for "not a file with icons": no icon to destroy.
    static bool valid(HICON h) { return h != nullptr && h != reinterpret_cast<HICON>(1); }
    static void free(HICON h) { DestroyIcon(h); }
};
using Icon = Owned<HICON, IconDeleter>;

struct GlobalMemoryDeleter {
    static HGLOBAL empty() { return nullptr; }
    static bool valid(HGLOBAL h) { return h != nullptr; }
    static void free(HGLOBAL h) { GlobalFree(h); }
};
using GlobalMemory = Owned<HGLOBAL, GlobalMemoryDeleter>;

struct GdiObjectDeleter {
    static HGDIOBJ empty() { return nullptr; }
    static bool valid(HGDIOBJ h) { return h != nullptr; }
    static void free(HGDIOBJ h) { DeleteObject(h); }
};
using GdiObject = Owned<HGDIOBJ, GdiObjectDeleter>;

struct MenuDeleter {
    static HMENU empty() { return nullptr; }
    static bool valid(HMENU h) { return h != nullptr; }
    static void free(HMENU h) { DestroyMenu(h); }
};
using Menu = Owned<HMENU, MenuDeleter>;

// A locked global block: unlocked when the lock goes out of scope.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLockGuard() { if (data_) GlobalUnlock(block_); }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* data() const { return data_; }
private:
    HGLOBAL block_;
    void* data_;
};

// The clipboard, open for as long as the guard lives.
class ClipboardGuard {
public:
    explicit ClipboardGuard(HWND owner = nullptr) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardGuard() { if (open_) CloseClipboard(); }
    ClipboardGuard(const ClipboardGuard&) = delete;
    ClipboardGuard& operator=(const ClipboardGuard&) = delete;
    bool isOpen() const { return open_; }
private:
    bool open_;
};

// A COM interface pointer, released when it goes out of scope.
template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    I** put() { reset(); return &p_; }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() { if (p_) { p_->Release(); p_ = nullptr; } }
private:
    I* p_ = nullptr;
};

} // namespace orvex

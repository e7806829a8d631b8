#include "shell/context_verb.h"

#include <windows.h>

#include <cstring>

#include "common/handles.h"
#include "shell/core/verb_rules.h"

namespace orvex {

const char kVerbName[] = "Pimbo - 提取图标 .&R";

namespace {

const DWORD kProgIdBufferSize = 256;

// The ProgID named by the default value of HKCR\<extension key>; empty when
// the key or the value is missing or the value does not fit with its end.
std::string ReadProgId(const std::string& extensionKey) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, extensionKey.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) {
        return {};
    }
    char buffer[kProgIdBufferSize] = {};
    DWORD size = kProgIdBufferSize;
    // Whatever the value's type, its bytes up to the first zero are the name.
    if (RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    // A full buffer without a zero byte holds no whole name.
    if (!std::memchr(buffer, 0, sizeof buffer)) return {};
    return std::string(buffer);
}

} // namespace

int RegisterContextMenuVerb(const std::string& extension, const std::string& verb, const std::string& command) {
    const std::string progId = ReadProgId(ExtensionKeyName(extension));
    // No name: writing "\shell\..." would land outside any file type.
    if (progId.empty()) return 0;

    const std::string keyPath = VerbCommandKeyPath(progId, verb);
    const std::string value = VerbCommandValue(command);
    RegKey commandKey;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, keyPath.c_str(), commandKey.put()) != ERROR_SUCCESS) return 0;
    const LONG written = RegSetValueExA(commandKey.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1));
    return written == ERROR_SUCCESS ? 1 : 0;
}

} // namespace orvex

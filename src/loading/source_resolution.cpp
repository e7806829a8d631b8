#include "loading/source_resolution.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <algorithm>
#include <vector>

#include "common/core/text.h"
#include "common/handles.h"

namespace orvex {

std::string ResolveShortcutTarget(const std::string& path) {
    const std::string file = LowerAscii(path).find(".lnk") != std::string::npos ? path : path + ".lnk";

    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.putVoid()))) {
        return {};
    }
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.putVoid()))) return {};

    wchar_t name[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, file.c_str(), -1, name, MAX_PATH) == 0) return {};
    if (FAILED(persist->Load(name, STGM_READ))) return {};

    std::vector<char> buffer(1024, '\0');
    link->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, SLGP_UNCPRIORITY);
    buffer.back() = '\0';
    std::string result = buffer.data();

    buffer[0] = '\0';
    link->GetArguments(buffer.data(), static_cast<int>(buffer.size()));
    buffer.back() = '\0';
    if (buffer[0] != '\0') result += " " + std::string(buffer.data());
    return result;
}

std::string ReadRegistryText(const std::string& keyText) {
    const RegistryName name = SplitRegistryName(keyText);
    RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name.key.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};

    DWORD type = 0, size = 0;
    const char* valueName = name.value.empty() ? nullptr : name.value.c_str();
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    // One byte more than asked, so that a value stored without its NUL ends.
    std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
        ERROR_SUCCESS) {
        return {};
    }
    data[std::min<size_t>(got, size)] = '\0';
    const std::string text = data.data();  // up to the first NUL
    if (type == REG_SZ) return text;
    if (type != REG_EXPAND_SZ) return {};

    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<char> expanded(needed + 1, '\0');
    if (ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed) == 0) return {};
    return expanded.data();
}

IconLocation LookupDefaultIcon(const std::string& path) {
    const std::string progId = ReadRegistryText(TypeExtensionOf(path) + "\\");
    return ParseIconText(ReadRegistryText(progId + "\\DefaultIcon\\"));
}

} // namespace orvex

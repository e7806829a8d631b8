#include "support/test_registry.h"

#include "common/handles.h"

namespace orvex::test {

bool SetClassesRootValue(const std::string& key, const std::string& value, DWORD type) {
    RegKey k;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(), nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    return RegSetValueExA(k.get(), nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

TestFileType::TestFileType(std::string extension, std::string progId, const std::string& iconText, DWORD iconType)
    : extension_(std::move(extension)), progId_(std::move(progId)) {
    SetClassesRootValue(extension_, progId_);
    if (!progId_.empty() && iconType != REG_NONE) SetClassesRootValue(progId_ + "\\DefaultIcon", iconText, iconType);
}

TestFileType::~TestFileType() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, extension_.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, extension_.c_str());
    if (!progId_.empty()) {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, progId_.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, progId_.c_str());
    }
}

} // namespace orvex::test

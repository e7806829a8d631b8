// A file type registered under HKEY_CLASSES_ROOT for one test and removed
// afterwards: extension → ProgID → ProgID\DefaultIcon.
#pragma once
#include <windows.h>
#include <string>

namespace orvex::test {

class TestFileType {
public:
    // `extension` with its dot. An empty `progId` registers the extension
    // alone; DefaultIcon is written only when `iconType` is not REG_NONE.
    TestFileType(std::string extension, std::string progId, const std::string& iconText = "",
                 DWORD iconType = REG_SZ);
    ~TestFileType();
    TestFileType(const TestFileType&) = delete;
    TestFileType& operator=(const TestFileType&) = delete;

private:
    std::string extension_;
    std::string progId_;
};

// Sets the default value of HKCR\<key>, creating the key.
bool SetClassesRootValue(const std::string& key, const std::string& value, DWORD type = REG_SZ);

} // namespace orvex::test

// What the Windows tests need around them: folders, paths, windows.
#pragma once
#include <windows.h>
#include <string>

namespace orvex::test {

// A Unix path as Wine shows it (Z:\...).
std::string WinePath(const std::string& unixPath);
// An environment variable that the test runner sets (a Unix path), as a
// Windows path; empty when unset.
std::string EnvPath(const char* name);
// A fresh empty folder for one test, removed with its content on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
private:
    std::string path_;
};
// Writes `bytes` to `path`; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// Writes a shortcut through the shell link object, as the shell does.
bool MakeShortcut(const std::string& at, const std::string& target, const std::string& arguments = "");
// Drains every pending message, a quit request included.
void DrainMessages();

} // namespace orvex::test

#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "common/handles.h"
#include "shell/context_verb.h"
#include "support/child_process.h"
#include "support/test_env.h"

namespace orvex::test {
namespace {

bool KeyExists(const std::string& path) {
    RegKey key;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

bool SetDefaultValue(const std::string& path, const std::string& bytes, DWORD type) {
    RegKey key;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, path.c_str(), key.put()) != ERROR_SUCCESS) return false;
    return RegSetValueExA(key.get(), nullptr, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

struct Value {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

Value DefaultValue(const std::string& path) {
    Value v;
    RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return v;
    char buffer[2048] = {};
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.get(), nullptr, nullptr, &v.type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return v;
    }
    v.present = true;
    v.bytes.assign(buffer, size);
    return v;
}

// Every key and value below `path`, as "subkey|name|type|bytes" lines.
void Snapshot(HKEY key, const std::string& prefix, std::vector<std::string>& out) {
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        BYTE data[2048];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        out.push_back(prefix + "|" + name + "|" + std::to_string(type) + "|" +
                      std::string(reinterpret_cast<char*>(data), dataSize));
    }
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        out.push_back(prefix + "\\" + name);
        RegKey sub;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, sub.put()) == ERROR_SUCCESS) {
            Snapshot(sub.get(), prefix + "\\" + name, out);
        }
    }
}

std::vector<std::string> Snapshot(const std::string& path) {
    std::vector<std::string> out;
    RegKey key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
        Snapshot(key.get(), path, out);
    }
    return out;
}

// Leaves HKCR as it found it for one key path: the shallowest key of the path
// that is missing now is deleted, with everything under it, at the end.
class KeyGuard {
public:
    explicit KeyGuard(const std::string& path) {
        size_t from = 0;
        for (;;) {
            const size_t slash = path.find('\\', from);
            const std::string prefix = path.substr(0, slash);
            if (!KeyExists(prefix)) {
                created_ = prefix;
                break;
            }
            if (slash == std::string::npos) break;
            from = slash + 1;
        }
    }
    ~KeyGuard() {
        if (!created_.empty()) RegDeleteTreeA(HKEY_CLASSES_ROOT, created_.c_str());
    }
    KeyGuard(const KeyGuard&) = delete;
    KeyGuard& operator=(const KeyGuard&) = delete;

private:
    std::string created_;
};

std::string CommandKey(const std::string& progId) { return progId + "\\shell\\" + kVerbName + "\\command"; }

// A REG_SZ text as stored: with its zero.
std::string Sz(std::string text) {
    text.push_back('\0');
    return text;
}

std::string Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::string Quoted(const std::string& program) { return "\"" + program + "\" \"%1\""; }

// A file type of the tests' own: .<ext> → <progId>, removed afterwards.
class TestType {
public:
    TestType(const std::string& extension, const std::string& progId)
        : extensionGuard_(extension), progIdGuard_(progId) {
        EXPECT_TRUE(SetDefaultValue(extension, Sz(progId), REG_SZ)) << extension;
    }

private:
    KeyGuard extensionGuard_;
    KeyGuard progIdGuard_;
};

// One of the four real types: its ProgID when the system has one, else a
// test ProgID; whatever the test adds is removed afterwards.
class RealType {
public:
    explicit RealType(const std::string& extension) {
        const Value v = DefaultValue(extension);
        if (v.present && !std::string(v.bytes.c_str()).empty()) {
            progId = v.bytes.c_str();
        } else {
            progId = "orvex_test" + extension;
            extensionGuard_ = std::make_unique<KeyGuard>(extension);
            EXPECT_TRUE(SetDefaultValue(extension, Sz(progId), REG_SZ)) << extension;
        }
        verbGuard_ = std::make_unique<KeyGuard>(CommandKey(progId));
    }
    ~RealType() {
        // The verb first, then the extension key the test made.
        verbGuard_.reset();
        extensionGuard_.reset();
    }
    std::string progId;

private:
    std::unique_ptr<KeyGuard> extensionGuard_;
    std::unique_ptr<KeyGuard> verbGuard_;
};

TEST(ContextVerbTest, EachOfTheFourTypesGetsTheQuotedCommand) {
    const std::string program = App().ExecutablePath();
    ASSERT_FALSE(program.empty());
    for (const char* extension : {"dll", "exe", "ico", "lnk"}) {
        RealType type(std::string(".") + extension);
        EXPECT_EQ(RegisterContextMenuVerb(extension, kVerbName, program), 1) << extension;
        const Value v = DefaultValue(CommandKey(type.progId));
        EXPECT_TRUE(v.present) << extension;
        EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ)) << extension;
        EXPECT_EQ(v.bytes, Sz(Quoted(program))) << extension;
        // Explorer reads the verb through the wide API: the GBK name must
        // arrive as the Chinese text.
        const std::wstring wideKey = std::wstring(type.progId.begin(), type.progId.end()) +
                                     L"\\shell\\Pimbo - \u63D0\u53D6\u56FE\u6807 .&R\\command";
        RegKey key;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, wideKey.c_str(), 0, KEY_READ, key.put()), ERROR_SUCCESS)
            << extension;
    }
}

TEST(ContextVerbTest, CommandQuotesTheProgramWhateverItsPath) {
    TestType type(".orvexverb", "orvexverbfile");
    struct Case {
        const char* extension;
        std::string program;
    };
    const Case cases[] = {
        {"orvexverb", "C:\\Program Files\\x\\tool.exe"},
        {".orvexverb", "C:\\tool.exe"},
        {"orvexverb", "D:\\\xD6\xD0\xCE\xC4 \xC4\xBF\xC2\xBC\\tool.exe"},  // a GBK folder name with a space
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegisterContextMenuVerb(c.extension, kVerbName, c.program), 1) << c.extension;
        EXPECT_EQ(DefaultValue(CommandKey("orvexverbfile")).bytes, Sz(Quoted(c.program)))
            << c.program;
    }
}

TEST(ContextVerbTest, RegisteringAgainLeavesTheRegistryAsItWas) {
    TestType type(".orvexagain", "orvexagainfile");
    // A value left by a run from another place is replaced.
    ASSERT_TRUE(SetDefaultValue(CommandKey("orvexagainfile"), Sz("C:\\old\\tool.exe %1"), REG_SZ));
    const std::string otherVerb = Sz("notepad %1");
    ASSERT_TRUE(SetDefaultValue("orvexagainfile\\shell\\open\\command", otherVerb, REG_SZ));

    ASSERT_EQ(RegisterContextMenuVerb("orvexagain", kVerbName, "C:\\Tools\\tool.exe"), 1);
    const std::vector<std::string> first = Snapshot("orvexagainfile");
    EXPECT_EQ(DefaultValue(CommandKey("orvexagainfile")).bytes, Sz(Quoted("C:\\Tools\\tool.exe")));
    ASSERT_EQ(RegisterContextMenuVerb("orvexagain", kVerbName, "C:\\Tools\\tool.exe"), 1);
    EXPECT_EQ(Snapshot("orvexagainfile"), first);
    // The other verb is untouched, and the verb key itself holds no value.
    EXPECT_EQ(DefaultValue("orvexagainfile\\shell\\open\\command").bytes, otherVerb);
    EXPECT_FALSE(DefaultValue(std::string("orvexagainfile\\shell\\") + kVerbName).present);
}

TEST(ContextVerbTest, UnusableExtensionKeysWriteNothing) {
    // 256 bytes, the name ended by a zero well before the last byte.
    const std::string full = std::string("orvexfullfile", 14) + std::string(242, 'x');
    struct Case {
        const char* name;
        bool createKey;
        std::string bytes;  // the default value, written as is
        DWORD type;         // REG_NONE: no default value
        int result;
        std::string progId;  // what is written when the result is 1
    };
    const Case cases[] = {
        {"no key", false, "", REG_NONE, 0, ""},
        {"no default value", true, "", REG_NONE, 0, ""},
        {"empty default value", true, Sz(""), REG_SZ, 0, ""},
        {"256 bytes without a zero", true, std::string(256, 'b'), REG_BINARY, 0, ""},
        {"257 bytes with the zero", true, Sz(std::string(256, 's')), REG_SZ, 0, ""},
        {"a full buffer with a zero in it", true, full, REG_BINARY, 1, "orvexfullfile"},
        {"type not examined, name ends at the zero", true, std::string("orvexbinfile\0junk", 17), REG_BINARY, 1,
         "orvexbinfile"},
    };
    KeyGuard rootVerb(std::string("shell\\") + kVerbName);
    for (const Case& c : cases) {
        KeyGuard extension(".orvexbad");
        KeyGuard progId(c.progId.empty() ? std::string("orvexbadfile") : c.progId);
        if (c.createKey) {
            RegKey key;
            ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, ".orvexbad", key.put()), ERROR_SUCCESS);
            if (c.type != REG_NONE) {
                ASSERT_TRUE(SetDefaultValue(".orvexbad", c.bytes, c.type)) << c.name;
            }
        }
        EXPECT_EQ(RegisterContextMenuVerb("orvexbad", kVerbName, "C:\\tool.exe"), c.result) << c.name;
        if (c.result == 1) {
            EXPECT_EQ(DefaultValue(CommandKey(c.progId)).bytes, Sz(Quoted("C:\\tool.exe")))
                << c.name;
        } else {
            // An empty name must not put the verb at the root of HKCR.
            EXPECT_FALSE(KeyExists(std::string("shell\\") + kVerbName)) << c.name;
        }
    }
}

// Starts the tool at `exe`, waits for its main window, closes it.
void RunToolOnce(const std::string& exe) {
    ChildProcess tool(exe, "");
    ASSERT_TRUE(tool.started());
    HWND main = tool.FindWindowOf(L"OrvexMainWindow", nullptr, 30000);
    ASSERT_NE(main, nullptr);
    // Visible means the start work, the verbs included, is done.
    for (int i = 0; i < 300 && !IsWindowVisible(main); ++i) Sleep(100);
    ASSERT_TRUE(IsWindowVisible(main));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_EQ(tool.Wait(30000), 0u);
}

TEST(ContextVerbTest, EveryStartRegistersTheTypesThatHaveAKey) {
    if (KeyExists(".exe")) GTEST_SKIP() << "this system has a .exe type; the test needs one type without a key";
    TempFolder dir;
    const std::string folder = dir.File("my tools");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string exe = CopyToolInto(folder);
    ASSERT_TRUE(FileExists(exe));
    RealType dll(".dll");
    RealType ico(".ico");
    RealType lnk(".lnk");
    KeyGuard exeGuard(".exe");

    std::vector<std::string> first, second;
    for (int start = 1; start <= 2; ++start) {
        RunToolOnce(exe);
        if (HasFatalFailure()) return;
        std::vector<std::string> now;
        for (const RealType* type : {&dll, &ico, &lnk}) {
            const Value v = DefaultValue(CommandKey(type->progId));
            EXPECT_EQ(v.type, static_cast<DWORD>(REG_SZ)) << type->progId;
            // Wine may report the program's path in another case.
            EXPECT_EQ(Upper(v.bytes), Upper(Sz(Quoted(exe)))) << type->progId << " after start " << start;
            const std::vector<std::string> keys = Snapshot(type->progId + "\\shell\\" + kVerbName);
            now.insert(now.end(), keys.begin(), keys.end());
        }
        // The type without a key gets nothing, and the others were done all the same.
        EXPECT_FALSE(KeyExists(".exe"));
        (start == 1 ? first : second) = now;
    }
    // Per type the command key and its value, and a second start changes nothing.
    EXPECT_EQ(first.size(), 6u);
    EXPECT_EQ(second, first);
}

} // namespace
} // namespace orvex::test

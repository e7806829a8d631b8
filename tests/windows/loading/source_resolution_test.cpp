#include <windows.h>
#include <gtest/gtest.h>

#include "loading/source_resolution.h"
#include "support/test_env.h"
#include "support/test_registry.h"

namespace orvex::test {
namespace {

TEST(LookupDefaultIconTest, ReadsTheTypesDefaultIcon) {
    char sysroot[MAX_PATH] = {};
    GetEnvironmentVariableA("SystemRoot", sysroot, MAX_PATH);
    struct Case {
        const char* name;
        std::string iconText;
        DWORD type;
        std::string module;
        int index;
    };
    const Case cases[] = {
        {"sz", "C:\\x\\a.dll,3", REG_SZ, "C:\\x\\a.dll", 3},
        {"expand", "%SystemRoot%\\system32\\imageres.dll,-102", REG_EXPAND_SZ,
         std::string(sysroot) + "\\system32\\imageres.dll", -102},
        {"commas", "a,b,3", REG_SZ, "a,b", 3},
        {"space after comma", "x.dll, 5", REG_SZ, "x.dll", 5},
        {"nothing after comma", "x.dll,", REG_SZ, "x.dll", 0},
        {"quoted module", "\"C:\\Program Files\\App\\app.exe\",0", REG_SZ, "C:\\Program Files\\App\\app.exe", 0},
        {"%1", "%1", REG_SZ, "", 0},
        {"no comma", "C:\\x\\y.ico", REG_SZ, "", 0},
        {"empty", "", REG_SZ, "", 0},
        {"binary value", "C:\\x\\a.dll,3", REG_BINARY, "", 0},
    };
    for (const Case& c : cases) {
        TestFileType type(".orvexlk", "OrvexTest.LookupType", c.iconText, c.type);
        const IconLocation l = LookupDefaultIcon("C:\\some\\file.orvexlk");
        EXPECT_EQ(l.modulePath, c.module) << c.name;
        EXPECT_EQ(l.iconIndex, c.index) << c.name;
    }
}

TEST(LookupDefaultIconTest, MissingPiecesGiveNothing) {
    {
        TestFileType noIcon(".orvexni", "OrvexTest.NoIcon", "", REG_NONE);
        EXPECT_EQ(LookupDefaultIcon("a.orvexni").modulePath, "");
    }
    EXPECT_EQ(LookupDefaultIcon("C:\\a\\unregistered.orvexnone").modulePath, "");
    EXPECT_EQ(LookupDefaultIcon("C:\\a\\noextension").iconIndex, 0);
    EXPECT_EQ(LookupDefaultIcon("").modulePath, "");
    // Only the text after the last "." names the type, folders included.
    TestFileType type(".orvexdir", "OrvexTest.Dir", "m.dll,2");
    EXPECT_EQ(LookupDefaultIcon("C:\\x.orvexdir").modulePath, "m.dll");
    EXPECT_EQ(LookupDefaultIcon("C:\\x.orvexdir\\file").modulePath, "");
}

TEST(ResolveShortcutTargetTest, Shortcuts) {
    TempFolder dir;
    const std::string target = dir.File("b.exe");
    ASSERT_TRUE(WriteFileBytes(target, "x"));
    ASSERT_TRUE(MakeShortcut(dir.File("a.lnk"), target, ""));
    ASSERT_TRUE(MakeShortcut(dir.File("args.lnk"), target, "-q"));
    ASSERT_TRUE(MakeShortcut(dir.File("Filelnk.lnk"), target, ""));
    ASSERT_TRUE(MakeShortcut(dir.File("gone.lnk"), dir.File("missing.exe"), ""));
    // A GBK name round-trips through the ANSI code page.
    ASSERT_TRUE(MakeShortcut(dir.File("\xCE\xC4\xBC\xFE.lnk"), dir.File("\xCE\xC4.exe"), ""));

    EXPECT_EQ(ResolveShortcutTarget(dir.File("a.lnk")), target);
    EXPECT_EQ(ResolveShortcutTarget(dir.File("A.LNK")), target);
    EXPECT_EQ(ResolveShortcutTarget(dir.File("a")), target);  // ".lnk" appended
    EXPECT_EQ(ResolveShortcutTarget(dir.File("args.lnk")), target + " -q");
    EXPECT_EQ(ResolveShortcutTarget(dir.File("gone.lnk")), dir.File("missing.exe"));  // never resolved
    EXPECT_EQ(ResolveShortcutTarget(dir.File("\xCE\xC4\xBC\xFE.lnk")), dir.File("\xCE\xC4.exe"));
    // A name ending in lnk without a dot gets ".lnk" appended.
    EXPECT_EQ(ResolveShortcutTarget(dir.File("Filelnk")), target);
    EXPECT_EQ(ResolveShortcutTarget(dir.File("missing.lnk")), "");
    EXPECT_EQ(ResolveShortcutTarget(dir.File("b.exe")), "");  // b.exe.lnk does not exist
    // ".lnk" inside a folder name: opened unchanged, so nothing is found.
    EXPECT_EQ(ResolveShortcutTarget(dir.File("x.lnk\\a")), "");
}

} // namespace
} // namespace orvex::test

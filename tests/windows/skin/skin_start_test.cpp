// The real tool started in a folder of its own: the library is written at the
// first start and left alone at the next; a library that cannot be loaded
// ends the tool with the fatal error box before its window shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/wide_text.h"
#include "skin_test_support.h"

namespace orvex::test {
namespace {

const DWORD kPatienceMs = 30000;

struct ToolProcess {
    FileHandle process;
    FileHandle thread;
    DWORD id = 0;
    // A test that stops early leaves no tool behind.
    ~ToolProcess() {
        if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.get(), 255);
            WaitForSingleObject(process.get(), 5000);
        }
    }
};

// Starts a copy of the tool placed in `folder`.
bool StartTool(const TempFolder& folder, ToolProcess& tool) {
    const std::string exe = folder.File("orvex.exe");
    if (!FileExists(exe) && !CopyFileA(EnvPath("ORVEX_EXE").c_str(), exe.c_str(), FALSE)) return false;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.path().c_str(),
                        &si, &pi)) {
        return false;
    }
    tool.process.reset(pi.hProcess);
    tool.thread.reset(pi.hThread);
    tool.id = pi.dwProcessId;
    return true;
}

struct WindowQuery {
    DWORD process;
    const wchar_t* className;
    const wchar_t* title;  // null: any
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* q = reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != q->process) return TRUE;
    if (q->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpW(name, q->className) != 0) return TRUE;
    if (q->title) {
        wchar_t title[256] = {};
        GetWindowTextW(hwnd, title, 256);
        if (lstrcmpW(title, q->title) != 0) return TRUE;
    }
    q->found = hwnd;
    return FALSE;
}

HWND FindToolWindow(DWORD process, const wchar_t* className, const wchar_t* title, bool visibleOnly) {
    WindowQuery q = {process, className, title, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM param) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Static") != 0) return TRUE;
    const int n = GetWindowTextLengthW(child);
    if (n <= 0) return TRUE;
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(child, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    *reinterpret_cast<std::wstring*>(param) = text;
    return FALSE;
}

bool Exited(const ToolProcess& tool, DWORD& code) {
    if (WaitForSingleObject(tool.process.get(), kPatienceMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(tool.process.get(), &code);
    return true;
}

// Runs the tool until its main window is shown, then closes it.
void RunToolOnce(const TempFolder& folder) {
    ToolProcess tool;
    ASSERT_TRUE(StartTool(folder, tool)) << "error " << GetLastError();
    HWND main = nullptr;
    for (DWORD waited = 0; !main && waited < kPatienceMs; waited += 50) {
        main = FindToolWindow(tool.id, L"OrvexMainWindow", nullptr, true);
        ASSERT_EQ(FindToolWindow(tool.id, L"#32770", nullptr, true), nullptr) << "a box came up";
        if (!main) Sleep(50);
    }
    ASSERT_NE(main, nullptr) << "the main window did not show";
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(Exited(tool, code));
    EXPECT_EQ(code, 0u);
}

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

TEST(SkinStart, FirstStartWritesTheLibraryHiddenAndTheNextLeavesIt) {
    TempFolder folder;
    const std::string library = folder.File("SkinH_EL.dll");
    ASSERT_FALSE(FileExists(library));

    RunToolOnce(folder);
    TempFolder scratch;
    EXPECT_EQ(GetFileAttributesA(library.c_str()), HiddenAloneAsReported(scratch));
    const std::string written = ReadFileBytes(library);
    EXPECT_EQ(written, ReadFileBytes(BuiltLibraryPath()));
    EXPECT_EQ(written.size(), CarriedResource(ORVEX_SKIN_LIBRARY_RESOURCE).size());

    // The user makes it visible; the next start finds it and writes nothing.
    ASSERT_TRUE(SetFileAttributesA(library.c_str(), FILE_ATTRIBUTE_NORMAL));
    const DWORD visible = GetFileAttributesA(library.c_str());
    const FILETIME before = LastWrite(library);
    RunToolOnce(folder);
    EXPECT_EQ(GetFileAttributesA(library.c_str()), visible);
    const FILETIME after = LastWrite(library);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    EXPECT_EQ(ReadFileBytes(library), written);
}

TEST(SkinStart, ALibraryThatCannotBeLoadedEndsInTheFatalBox) {
    const std::wstring expected = WideText(
        "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachRes”\r\n");
    struct Case {
        const char* name;
        bool folder;
    };
    for (const Case& c : {Case{"a folder of that name", true}, Case{"a file that is no library", false}}) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string entry = folder.File("SkinH_EL.dll");
        if (c.folder) {
            ASSERT_TRUE(CreateDirectoryA(entry.c_str(), nullptr));
        } else {
            ASSERT_TRUE(WriteFileBytes(entry, "MZ but no library"));
        }
        const DWORD attributes = GetFileAttributesA(entry.c_str());

        ToolProcess tool;
        ASSERT_TRUE(StartTool(folder, tool)) << "error " << GetLastError();
        HWND box = nullptr;
        bool mainShown = false;
        for (DWORD waited = 0; !box && waited < kPatienceMs; waited += 50) {
            box = FindToolWindow(tool.id, L"#32770", WideText("错误").c_str(), true);
            mainShown = mainShown || FindToolWindow(tool.id, L"OrvexMainWindow", nullptr, true);
            if (!box) Sleep(50);
        }
        ASSERT_NE(box, nullptr) << "no fatal box";
        std::wstring text;
        EnumChildWindows(box, FindMessageText, reinterpret_cast<LPARAM>(&text));
        // The box may drop the text's final line break.
        EXPECT_TRUE(text == expected || text + L"\r\n" == expected) << GbkText(text);

        PostMessageW(box, WM_COMMAND, IDOK, 0);
        DWORD code = 0;
        ASSERT_TRUE(Exited(tool, code));
        EXPECT_EQ(code, 1u);
        EXPECT_FALSE(mainShown);
        // The entry is not replaced.
        EXPECT_EQ(GetFileAttributesA(entry.c_str()), attributes);
        if (!c.folder) {
            EXPECT_EQ(ReadFileBytes(entry), "MZ but no library");
        }
    }
}

} // namespace
} // namespace orvex::test

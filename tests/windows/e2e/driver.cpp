#include "e2e/driver.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "app/wide_text.h"
#include "common/handles.h"

namespace orvex::test {

namespace {

// Memory inside the tool's process, for the list view messages that take a
// pointer.
class RemoteMemory {
public:
    RemoteMemory(DWORD processId, size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)) {
        if (process_) address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    void* address() const { return address_; }
    bool Write(const void* data, size_t size) {
        return address_ && WriteProcessMemory(process_.get(), address_, data, size, nullptr);
    }
    bool Read(void* data, size_t size) const {
        return address_ && ReadProcessMemory(process_.get(), address_, data, size, nullptr);
    }

private:
    FileHandle process_;
    void* address_ = nullptr;
};

struct FindTop {
    DWORD pid;
    const wchar_t* className;
    std::string caption;
    bool anyCaption;
    HWND found;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<FindTop*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpW(cls, s->className) != 0) return TRUE;
    if (!s->anyCaption && WindowText(hwnd) != s->caption) return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND FindTopWindow(DWORD pid, const wchar_t* className, const std::string* caption) {
    FindTop s = {pid, className, caption ? *caption : std::string(), caption == nullptr, nullptr};
    EnumWindows(&MatchTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct FindKid {
    const wchar_t* className;
    const std::string* text;
    HWND found;
};

BOOL CALLBACK MatchKid(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<FindKid*>(lp);
    if (s->className) {
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (lstrcmpiW(cls, s->className) != 0) return TRUE;
    }
    if (s->text && WindowText(hwnd) != *s->text) return TRUE;
    s->found = hwnd;
    return FALSE;
}

void Mouse(DWORD down, DWORD up) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = down;
    in[1].mi.dwFlags = up;
    SendInput(2, in, sizeof(INPUT));
}

void MoveTo(POINT at) {
    SetCursorPos(at.x, at.y);
    Sleep(50);
}

} // namespace

RunningTool::RunningTool(const std::string& arguments) {
    exe_ = CopyToolInto(dir_.path());
    process_ = std::make_unique<ChildProcess>(exe_, arguments);
    HWND window = process_->FindWindowOf(L"OrvexMainWindow", nullptr, 30000);
    if (!window) return;
    for (int i = 0; i < 600 && !IsWindowVisible(window); ++i) Sleep(50);
    if (!IsWindowVisible(window)) return;
    main_ = window;
    // The user sees the window in front before touching it.
    SetForegroundWindow(main_);
    Sleep(200);
}

RunningTool::~RunningTool() {
    if (main_ && IsWindow(main_)) Close();
}

HWND RunningTool::list() const { return main_ ? FindWindowExW(main_, nullptr, WC_LISTVIEWW, nullptr) : nullptr; }

HWND RunningTool::WaitWindow(const wchar_t* className, const std::string& caption, DWORD milliseconds) const {
    const DWORD start = GetTickCount();
    HWND found = nullptr;
    while (!(found = FindTopWindow(processId(), className, &caption)) && GetTickCount() - start < milliseconds) Sleep(50);
    return found;
}

namespace {
struct DialogShowing {
    DWORD pid;
    const std::string* text;
    HWND found;
};

BOOL CALLBACK MatchDialogShowing(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<DialogShowing*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid != s->pid || !IsWindowVisible(hwnd) || lstrcmpW(cls, L"#32770") != 0) return TRUE;
    if (!FindChildWithText(hwnd, *s->text)) return TRUE;
    s->found = hwnd;
    return FALSE;
}
} // namespace

HWND RunningTool::WaitDialogShowing(const std::string& text, DWORD milliseconds) const {
    const DWORD start = GetTickCount();
    for (;;) {
        DialogShowing s = {processId(), &text, nullptr};
        EnumWindows(&MatchDialogShowing, reinterpret_cast<LPARAM>(&s));
        if (s.found || GetTickCount() - start >= milliseconds) return s.found;
        Sleep(50);
    }
}

HWND RunningTool::WaitMenu(DWORD milliseconds) const {
    const DWORD start = GetTickCount();
    HWND found = nullptr;
    while (!(found = FindTopWindow(processId(), L"#32768", nullptr)) && GetTickCount() - start < milliseconds) Sleep(50);
    return found;
}

DWORD RunningTool::Close() {
    if (!main_) return STILL_ACTIVE;
    PostMessageW(main_, WM_CLOSE, 0, 0);
    main_ = nullptr;
    return process_->Wait(30000);
}

std::string StatusLine(HWND main) {
    HWND label = FindWindowExW(main, nullptr, L"Static", nullptr);
    return label ? WindowText(label) : std::string();
}

int ItemCount(HWND list) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return -1;
    return static_cast<int>(count);
}

RECT ItemRect(const RunningTool& tool, int item) {
    RECT r = {LVIR_ICON, 0, 0, 0};
    RemoteMemory remote(tool.processId(), sizeof r);
    DWORD_PTR ok = 0;
    if (!remote.Write(&r, sizeof r) ||
        !SendMessageTimeoutW(tool.list(), LVM_GETITEMRECT, static_cast<WPARAM>(item),
                             reinterpret_cast<LPARAM>(remote.address()), SMTO_ABORTIFHUNG, 5000, &ok) ||
        !ok || !remote.Read(&r, sizeof r)) {
        return RECT{};
    }
    MapWindowPoints(tool.list(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

namespace {

std::string TreeItemText(const RunningTool& tool, HWND tree, HTREEITEM item) {
    const size_t kChars = 260;
    RemoteMemory remote(tool.processId(), sizeof(TVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.address()) return {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(TVITEMW));
    tv.cchTextMax = static_cast<int>(kChars);
    DWORD_PTR ok = 0;
    if (!remote.Write(&tv, sizeof tv) ||
        !SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.address()), SMTO_ABORTIFHUNG, 5000, &ok) ||
        !ok) {
        return {};
    }
    std::vector<char> all(sizeof(TVITEMW) + kChars * sizeof(wchar_t));
    if (!remote.Read(all.data(), all.size())) return {};
    std::wstring text(reinterpret_cast<const wchar_t*>(all.data() + sizeof(TVITEMW)), kChars);
    text.resize(wcsnlen(text.c_str(), kChars));
    return AnsiPath(text);
}

std::vector<HTREEITEM> ExpandedChildren(HWND tree, HTREEITEM item) {
    SendMessageTimeoutW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG, 15000, nullptr);
    std::vector<HTREEITEM> children;
    DWORD_PTR child = 0;
    SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item), SMTO_ABORTIFHUNG, 5000, &child);
    while (child) {
        children.push_back(reinterpret_cast<HTREEITEM>(child));
        DWORD_PTR next = 0;
        SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(child), SMTO_ABORTIFHUNG, 5000, &next);
        child = next;
    }
    return children;
}

} // namespace

bool ClickFolderInTree(const RunningTool& tool, HWND tree, const std::string& path, std::string* seen) {
    DWORD_PTR root = 0;
    SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, SMTO_ABORTIFHUNG, 5000, &root);
    if (!root) return false;
    // Desktop, then the computer: the child whose children show the drive.
    const std::string drive = "(" + path.substr(0, 2) + ")";
    HTREEITEM at = nullptr;
    for (HTREEITEM top : ExpandedChildren(tree, reinterpret_cast<HTREEITEM>(root))) {
        if (seen) *seen += TreeItemText(tool, tree, top) + " / ";
        for (HTREEITEM d : ExpandedChildren(tree, top)) {
            if (TreeItemText(tool, tree, d).find(drive) != std::string::npos) at = d;
        }
        if (at) break;
    }
    if (!at) return false;
    size_t from = 3;
    while (from < path.size()) {
        const size_t end = std::min(path.find('\\', from), path.size());
        const std::string part = path.substr(from, end - from);
        from = end + 1;
        HTREEITEM next = nullptr;
        for (HTREEITEM c : ExpandedChildren(tree, at)) {
            const std::string text = TreeItemText(tool, tree, c);
            if (seen) *seen += text + " ";
            if (lstrcmpiA(text.c_str(), part.c_str()) == 0) next = c;
        }
        if (!next) return false;
        at = next;
    }
    SendMessageTimeoutW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(at), SMTO_ABORTIFHUNG, 5000, nullptr);
    // The item's rectangle: TVM_GETITEMRECT takes the item in the RECT it fills.
    RECT r = {};
    std::memcpy(&r, &at, sizeof at);
    RemoteMemory remote(tool.processId(), sizeof r);
    DWORD_PTR ok = 0;
    if (!remote.Write(&r, sizeof r) ||
        !SendMessageTimeoutW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.address()), SMTO_ABORTIFHUNG, 5000, &ok) ||
        !ok || !remote.Read(&r, sizeof r)) {
        return false;
    }
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&r), 2);
    LeftClick(Center(r));
    DWORD_PTR caret = 0;
    SendMessageTimeoutW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_ABORTIFHUNG, 5000, &caret);
    return reinterpret_cast<HTREEITEM>(caret) == at;
}

POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void LeftClick(POINT at) {
    MoveTo(at);
    Mouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Sleep(100);
}

void RightClick(POINT at) {
    MoveTo(at);
    Mouse(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    Sleep(100);
}

void DoubleClick(POINT at) {
    MoveTo(at);
    Mouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Mouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    Sleep(100);
}

void PressKey(HWND window, UINT vk, wchar_t ch) {
    PostMessageW(window, WM_KEYDOWN, vk, 1);
    if (ch) PostMessageW(window, WM_CHAR, ch, 1);
    PostMessageW(window, WM_KEYUP, vk, 0xC0000001);
    Sleep(100);
}

SeenBox TakeMessageBox(const RunningTool& tool, const std::string& caption, DWORD milliseconds) {
    SeenBox seen;
    HWND box = tool.WaitWindow(L"#32770", caption, milliseconds);
    if (!box) return seen;
    seen.shown = true;
    // The box's text is its one static control that is not its icon.
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(box, child, L"Static", nullptr)) {
        const std::string text = WindowText(child);
        if (!text.empty()) seen.text = text;
    }
    PressButton(box, IDOK);
    WaitFor([&] { return IsWindow(box) != FALSE; }, false);
    return seen;
}

void PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    PostMessageW(button ? button : dialog, button ? BM_CLICK : WM_COMMAND, button ? 0 : static_cast<WPARAM>(id), 0);
}

void SetControlText(HWND control, const std::string& text) {
    const std::wstring wide = WidePath(text);
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG, 5000, nullptr);
}

HWND FindChild(HWND parent, const wchar_t* className) {
    FindKid s = {className, nullptr, nullptr};
    EnumChildWindows(parent, &MatchKid, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND FindChildWithText(HWND parent, const std::string& text) {
    FindKid s = {nullptr, &text, nullptr};
    EnumChildWindows(parent, &MatchKid, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

namespace {
BOOL CALLBACK Describe(HWND hwnd, LPARAM lp) {
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    *reinterpret_cast<std::string*>(lp) += GbkText(cls) + ":" + std::to_string(GetDlgCtrlID(hwnd)) + ":" + WindowText(hwnd) + "; ";
    return TRUE;
}
} // namespace

std::string DescribeChildren(HWND parent) {
    std::string all;
    EnumChildWindows(parent, &Describe, reinterpret_cast<LPARAM>(&all));
    return all;
}

} // namespace orvex::test

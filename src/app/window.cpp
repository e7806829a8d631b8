#include "app/window.h"

#include "app/wide_text.h"

namespace orvex {

namespace {
int g_openWindows = 0;
}

Window::~Window() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND h = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(h);
        --g_openWindows;
    }
}

int Window::OpenWindowCount() { return g_openWindows; }

bool Window::CreateTopLevel(const wchar_t* className, DWORD style, DWORD exStyle, int width, int height,
                            const std::string& caption, HWND owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Route;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    HWND h = CreateWindowExW(exStyle, className, WideText(caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                             width, height, owner, nullptr, instance, this);
    return h != nullptr;
}

void Window::CenterOnScreen() {
    RECT r = Bounds();
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::SetCaption(const std::string& gbkText) { SetWindowTextW(hwnd_, WideText(gbkText).c_str()); }

std::string Window::Caption() const {
    wchar_t buf[1024] = {};
    GetWindowTextW(hwnd_, buf, 1024);
    return GbkText(buf);
}

int Window::ClientWidth() const {
    RECT r = {};
    GetClientRect(hwnd_, &r);
    return r.right - r.left;
}

RECT Window::Bounds() const {
    RECT r = {};
    GetWindowRect(hwnd_, &r);
    return r;
}

void Window::SetWidth(int width) {
    RECT r = Bounds();
    SetWindowPos(hwnd_, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        ++g_openWindows;
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) self->CreateControls();
    if (msg == WM_NCDESTROY) {
        LRESULT r = self->HandleMessage(msg, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        // The last window of the tool ends the event loop.
        if (--g_openWindows == 0) PostQuitMessage(0);
        return r;
    }
    return self->HandleMessage(msg, wParam, lParam);
}

void PumpEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;  // left queued for the event loop
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int RunEventLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void RunModal(Window& window, HWND owner) {
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(window.hwnd(), SW_SHOW);
    MSG msg;
    while (window.exists()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

HFONT DefaultGuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

} // namespace orvex

// The toolkit's window base: a top-level window whose messages are routed to
// small named handlers in the derived class.
#pragma once
#include <windows.h>
#include <string>

namespace orvex {

class Window {
public:
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool exists() const { return hwnd_ != nullptr; }

    void SetCaption(const std::string& gbkText);
    std::string Caption() const;
    int ClientWidth() const;
    RECT Bounds() const;  // outer rectangle, screen coordinates
    void SetWidth(int width);
    void Destroy();

    // Number of the tool's top-level windows that exist.
    static int OpenWindowCount();

protected:
    Window() = default;
    // Creates the window hidden. Derived classes create their controls in
    // CreateControls(), which runs before this returns.
    bool CreateTopLevel(const wchar_t* className, DWORD style, DWORD exStyle, int width, int height,
                        const std::string& caption, HWND owner = nullptr);
    void CenterOnScreen();

    virtual void CreateControls() {}
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// Runs pending window events, then returns; stops before a request to end the
// event loop and leaves it queued.
void PumpEvents();

// Runs the event loop until a request to end it arrives.
int RunEventLoop();

// Shows `window` modally: `owner` stays disabled until the window is
// destroyed. A request to end the event loop met on the way stays queued.
void RunModal(Window& window, HWND owner);

// A font for controls that need a named one; the default GUI font otherwise.
HFONT DefaultGuiFont();

} // namespace orvex

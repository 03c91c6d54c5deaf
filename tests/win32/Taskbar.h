#pragma once
// The taskbar as the screen saver finds it: the session's own, or a
// stand-in of the test's where the session has none or where a test must
// act at the very moment it is hidden. The stand-in is top-most, so that
// the saver's search finds it before the session's.

#include <windows.h>

#include <functional>

class Taskbar {
  public:
    enum Kind { SessionsOwn, StandIn };

    explicit Taskbar(Kind kind = SessionsOwn) {
        window_ = kind == SessionsOwn ? FindWindowA("Shell_TrayWnd", nullptr) : nullptr;
        if (window_)
            return;
        WNDCLASSA wc{};
        wc.lpfnWndProc = StandInProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Shell_TrayWnd";
        RegisterClassA(&wc);
        window_ = own_ =
            CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0,
                            10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(own_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Taskbar() {
        if (own_)
            DestroyWindow(own_);
        else
            ShowWindow(window_, SW_SHOWNORMAL);
    }
    Taskbar(const Taskbar&) = delete;
    Taskbar& operator=(const Taskbar&) = delete;

    bool Visible() const { return IsWindowVisible(window_) != FALSE; }
    void Show(bool visible) { ShowWindow(window_, visible ? SW_SHOWNOACTIVATE : SW_HIDE); }

    // Runs inside the call that hides the stand-in, before that call
    // returns; the session's own taskbar has no such hook.
    std::function<void()> OnHide;

  private:
    static LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Taskbar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_SHOWWINDOW && !wParam && self && self->OnHide)
            self->OnHide();
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HWND own_ = nullptr;
};

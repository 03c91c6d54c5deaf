#pragma once
// The one boundary between Windows and the program's handlers. Every entry
// from Windows (window procedures, the message loop's key look, timers)
// runs its handler through Guard, which shows an escaping error in the one
// error display and lets the program go on.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

class TDispatcher {
  public:
    TDispatcher();
    virtual ~TDispatcher();
    TDispatcher(const TDispatcher&) = delete;
    TDispatcher& operator=(const TDispatcher&) = delete;

    // The process's one dispatcher: the application object.
    static TDispatcher& Instance() { return *instance_; }

    // Caption of the error display.
    std::string Title;

    // The one error display: a modal box captioned with the title, the error
    // icon and OK.
    void ShowException(const std::exception& error) { ShowError(error.what()); }
    void ShowError(const char* message);
    // Every message box of the framework goes through here; tests replace it.
    std::function<void(HWND owner, const std::string& text, const std::string& caption, UINT flags)>
        ShowMessageBox;

    // Runs a handler; an error it raises is shown and goes no further.
    template <class Handler> void Guard(Handler&& handler) noexcept {
        try {
            handler();
        } catch (const std::exception& error) {
            ShowException(error);
        } catch (...) {
            ShowError("");
        }
    }

  private:
    static TDispatcher* instance_;
};

// The message shown for an error: its text, with a full stop added when the
// last character comes after "." in character order.
std::string ErrorDisplayText(const std::string& message);

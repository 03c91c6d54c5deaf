#pragma once
// The one boundary between Windows and the program's handlers. Every entry
// from Windows (window procedures, the message loop's key look, timers)
// runs its handler through Guard, which shows an escaping error in the one
// error display and lets the program go on.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

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

    // Starts a thread timer whose ticks call tick(context) through Guard; its
    // id, or 0 where the system refuses it. A thread timer carries nothing
    // but its id, so what it calls is kept here.
    using TimerTick = void (*)(void* context);
    UINT_PTR AddTimer(unsigned milliseconds, TimerTick tick, void* context);
    // Stops it; a tick of it still queued then finds nothing.
    void RemoveTimer(UINT_PTR id);

  private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    static TDispatcher* instance_;
    struct Timer {
        UINT_PTR id;
        TimerTick tick;
        void* context;
    };
    std::vector<Timer> timers_;
};

// The message shown for an error: its text, with a full stop added when the
// last character comes after "." in character order.
std::string ErrorDisplayText(const std::string& message);

#include "framework/Dispatch.h"

#include "framework/Errors.h"
#include "framework/WideText.h"

#include <string>

TDispatcher* TDispatcher::instance_ = nullptr;

TDispatcher::TDispatcher()
    : ShowMessageBox(
          [](HWND owner, const std::string& text, const std::string& caption, UINT flags) {
              MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags);
          }) {
    instance_ = this;
}

TDispatcher::~TDispatcher() {
    if (instance_ == this)
        instance_ = nullptr;
}

void TDispatcher::ShowError(const char* message) {
    ShowMessageBox(GetActiveWindow(), ErrorDisplayText(message), Title, MB_OK | MB_ICONERROR);
}

UINT_PTR TDispatcher::AddTimer(unsigned milliseconds, TimerTick tick, void* context) {
    const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, &TDispatcher::TimerProc);
    if (id)
        timers_.push_back({id, tick, context});
    return id;
}

void TDispatcher::RemoveTimer(UINT_PTR id) {
    KillTimer(nullptr, id);
    for (auto timer = timers_.begin(); timer != timers_.end(); ++timer)
        if (timer->id == id) {
            timers_.erase(timer);
            return;
        }
}

// A tick already taken from the queue when its timer went finds nothing here.
void CALLBACK TDispatcher::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    TDispatcher& dispatcher = Instance();
    for (const Timer& timer : dispatcher.timers_)
        if (timer.id == id) {
            const Timer ticking = timer; // the tick may stop its timer
            dispatcher.Guard([&ticking] { ticking.tick(ticking.context); });
            return;
        }
}

std::string ErrorDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

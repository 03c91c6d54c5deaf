#include "framework/Timer.h"

#include "framework/Dispatch.h"
#include "framework/Errors.h"

namespace {

const char* const TimerRefused = "Nicht genügend Timer verfügbar";

} // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    Update();
}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void TTimer::Tick() {
    if (OnTimer)
        OnTimer(this);
}

void TTimer::Stop() {
    if (!id_)
        return;
    TDispatcher::Instance().RemoveTimer(id_);
    id_ = 0;
}

void TTimer::Update() {
    Stop();
    if (!enabled_ || interval_ == 0)
        return;
    id_ = TDispatcher::Instance().AddTimer(
        interval_, [](void* timer) { static_cast<TTimer*>(timer)->Tick(); }, this);
    if (!id_)
        throw EOutOfResources(TimerRefused);
}

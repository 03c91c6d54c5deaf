#pragma once
// A periodic timer delivered through the message loop.

#include "framework/Control.h"

// A thread timer, with no window of its own: it runs before its form has a
// window, and costs the screen saver's start no window.
class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    struct Options {
        unsigned interval = 1000; // milliseconds
    };
    void ApplyOptions(const Options& options) { SetInterval(options.interval); }

    unsigned Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void SetInterval(unsigned milliseconds);
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

  private:
    void Tick();
    void Update();
    void Stop();
    UINT_PTR id_ = 0; // the system's, while it runs
    unsigned interval_ = 1000;
    bool enabled_ = true;
};

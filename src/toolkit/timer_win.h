// Timers of the GUI thread: SetTimer on one hidden window shared by all timers.
#pragma once

#include "toolkit/timer.h"

#include <memory>

namespace korvane {

class TimerWindow;

class Timer final : public TimerPort {
  public:
    explicit Timer(int32_t interval = kDefaultTimerInterval);
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetInterval(int32_t milliseconds) override;
    int32_t Interval() const override { return interval_; }

    void Tick();

  private:
    int32_t interval_;
    bool enabled_ = false;
    std::shared_ptr<TimerWindow> window_; // taken on first enable, kept until freed
};

} // namespace korvane

// The timer port: a periodic tick on the GUI thread, as drive polling and the countdown use it.
#pragma once

#include <cstdint>
#include <functional>

namespace korvane {

inline constexpr int32_t kDefaultTimerInterval = 1000;

// An interval of 0 or less would make the system tick as fast as it can; it means the default.
constexpr int32_t EffectiveTimerInterval(int32_t interval) {
    return interval <= 0 ? kDefaultTimerInterval : interval;
}

class TimerPort {
  public:
    virtual ~TimerPort() = default;

    // Setting the current state again does nothing.
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;

    // A changed interval restarts the period of an enabled timer: the next tick comes one full new
    // interval later. The value is kept as given (callers test it for "greater than 0").
    virtual void SetInterval(int32_t milliseconds) = 0;
    virtual int32_t Interval() const = 0;

    // Runs on the GUI thread from the message loop.
    std::function<void(TimerPort& sender)> OnTick;
};

} // namespace korvane

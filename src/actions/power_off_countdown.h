// The countdown window as the alarm worker sees it: shown for one power-off, waited for, asked how
// it ended, and dismissed when the program ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korvane {

class PowerOffCountdownPort {
  public:
    virtual ~PowerOffCountdownPort() = default;

    // GUI thread (the worker calls it through its synchronous call): the disk's model (at most 20
    // characters) as the heading, the seconds to count down, the current and the limit temperature
    // in degrees Celsius, and the method to preselect (0 shutdown, 1 hibernate).
    virtual void ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                               int32_t limitTemp, int32_t method) = 0;
    // Worker thread: returns when the window is hidden and no power-off decision is still being
    // made, or as soon as `stopRequested` turns true. Touches nothing of the GUI thread.
    virtual void WaitUntilClosed(const std::function<bool()>& stopRequested) = 0;
    // The result of the last power-off attempt; false after each ShowCountdown.
    virtual bool PowerOffSucceeded() const = 0;
    // GUI thread, at shut-down: the countdown ends without a power-off and the window is hidden
    // at once; a tick still on its way does nothing.
    virtual void Dismiss() = 0;
};

} // namespace korvane

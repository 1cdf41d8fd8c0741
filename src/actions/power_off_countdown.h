// The countdown window as the alarm worker sees it: shown for one power-off, waited for, asked how
// it ended.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

class IPowerOffCountdown {
  public:
    virtual ~IPowerOffCountdown() = default;

    // Called from the alarm worker: the disk's model (at most 20 characters) as the heading, the
    // seconds to count down, the current and the limit temperature in degrees Celsius, and the
    // method to preselect (0 shutdown, 1 hibernate).
    virtual void ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                               int32_t limitTemp, int32_t method) = 0;
    // Returns when the window is hidden again, dispatching the calling thread's messages meanwhile.
    virtual void WaitUntilClosed() = 0;
    // The result of the last power-off attempt; false after each ShowCountdown.
    virtual bool PowerOffSucceeded() const = 0;
};

} // namespace korvane

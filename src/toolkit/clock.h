// Local time port: the current local date and time, so that time stamps can be tested.
#pragma once

#include <cstdint>
#include <memory>

namespace korvane {

// One local date and time, split as the system reports it (month 1 to 12, day 1 to 31).
struct LocalTime {
    int32_t year = 0;
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t millisecond = 0;
};

class ClockPort {
  public:
    virtual ~ClockPort() = default;
    virtual LocalTime Now() const = 0;
};

} // namespace korvane

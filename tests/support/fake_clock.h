// The clock double: a local time that stands still until a test sets another.
#pragma once

#include "toolkit/clock.h"

namespace korvane::test {

class FixedClock final : public ClockPort {
  public:
    explicit FixedClock(LocalTime now) : now(now) {}
    LocalTime Now() const override { return now; }
    LocalTime now;
};

} // namespace korvane::test

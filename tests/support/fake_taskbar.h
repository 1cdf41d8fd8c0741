// The taskbar double: a look that stays as a test set it, for what Wine cannot change while a
// test runs (the taskbar's DPI).
#pragma once

#include "toolkit/taskbar.h"

namespace korvane::test {

class FixedTaskbar final : public TaskbarPort {
  public:
    TaskbarLook Look() const override { return look; }
    TaskbarLook look;
};

} // namespace korvane::test

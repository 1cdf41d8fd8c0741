// The system's clock: the factory of the Win32 implementation (clock_win.cpp), apart from the
// portable port the native build compiles too.
#pragma once

#include "toolkit/clock.h"

#include <memory>

namespace korvane {

// The system's local clock (GetLocalTime).
std::unique_ptr<ClockPort> CreateWin32Clock();

} // namespace korvane

// The indicator icons as Win32 icons: the factory of the Win32 implementation
// (indicator_icons_win.cpp), apart from the portable port the native build compiles too.
#pragma once

#include "drives/indicator_icons.h"

#include <memory>

namespace korvane {

// MakeTemperatureIcon and DestroyIcon (indicator_icons_win.cpp).
std::unique_ptr<IndicatorIconPort> CreateWin32IndicatorIcon();

} // namespace korvane

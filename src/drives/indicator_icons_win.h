// The indicator icons as Win32 icons: the factory of the Win32 implementation
// (indicator_icons_win.cpp), apart from the portable port the native build compiles too.
#pragma once

#include "drives/indicator_icons.h"
#include "toolkit/taskbar.h"

#include <functional>
#include <memory>

namespace korvane {

// MakeTemperatureIcon and DestroyIcon (indicator_icons_win.cpp). Each icon is made for the
// taskbar as `look` tells it at that moment: at its small-icon size, with the first-run colours
// replaced by those of its theme (ColorsForTaskbar). Without `look`: 16 pixels, stored colours.
std::unique_ptr<IndicatorIconPort>
CreateWin32IndicatorIcon(std::function<TaskbarLook()> look = nullptr);

} // namespace korvane

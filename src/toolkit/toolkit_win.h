// The Win32 implementation of the toolkit factory, over the application window.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/toolkit.h"

#include <memory>

namespace korvane {

// Tray icons and menus belong to `window`; timers, workers and sound players to the caller.
std::unique_ptr<ToolkitPort> CreateWin32Toolkit(AppWindow& window);

} // namespace korvane

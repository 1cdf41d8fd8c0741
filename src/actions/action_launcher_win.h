// The shell's extended execute as the alarm worker's application launcher.
#pragma once

#include "actions/action_launcher.h"

#include <memory>

namespace korvane {

std::unique_ptr<AppLauncherPort> CreateWin32AppLauncher();

} // namespace korvane

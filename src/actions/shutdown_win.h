// The Win32 power services: shutdown privilege, ExitWindowsEx, and SetSuspendState of powrprof.dll
// loaded at run time from the system folder.
#pragma once

#include "actions/shutdown.h"

#include <memory>

namespace korvane {

std::unique_ptr<PowerPort> CreateWin32Power();

} // namespace korvane

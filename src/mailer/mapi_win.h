// The mail system of the running Windows: the factory of the Win32 implementation (mapi_win.cpp),
// apart from the portable port the native build compiles too.
#pragma once

#include "mailer/mapi.h"

#include <memory>

namespace korvane {

// The registry, profile file and "MAPI32.DLL" of the running system.
std::unique_ptr<MapiPort> CreateWin32Mapi();

} // namespace korvane

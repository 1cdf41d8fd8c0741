// Profile files through the Win32 profile functions: the factory of the Win32 implementation
// (profile_win.cpp), apart from the portable port the native build compiles too.
#pragma once

#include "settings/profile.h"

#include <memory>

namespace korvane {

// Profile files through the Win32 profile functions, 1024-character read buffer.
std::unique_ptr<ProfilePort> CreateWin32Profile();

} // namespace korvane

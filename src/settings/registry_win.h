// The Win32 registry: the factory of the Win32 implementation (registry_win.cpp), apart from the
// portable port the native build compiles too.
#pragma once

#include "settings/registry.h"

#include <memory>

namespace korvane {

// The registry through RegOpenKeyA, RegCreateKeyA and friends.
std::unique_ptr<RegistryPort> CreateWin32Registry();

} // namespace korvane

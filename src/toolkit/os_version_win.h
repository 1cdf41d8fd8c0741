// The operating-system version of the running Windows.
#pragma once

#include "toolkit/os_version.h"

#include <memory>

namespace korvane {

// GetVersionExA with the 148-byte OSVERSIONINFOA; all zero when the call fails.
std::unique_ptr<OsVersionPort> CreateWin32OsVersion();

} // namespace korvane

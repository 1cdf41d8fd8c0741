// The operating-system version of the running Windows.
#pragma once

#include "toolkit/os_version.h"

namespace korvane {

// GetVersionExA with the 148-byte OSVERSIONINFOA; all zero when the call fails.
class SystemOsVersion final : public OsVersionPort {
  public:
    OsVersionInfo Read() const override;
};

} // namespace korvane

// The operating-system version as the program sees it, behind a port so OS-dependent paths test
// natively.
#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// dwPlatformId values that matter to the program.
constexpr uint32_t kPlatformWin32Windows = 1; // Windows 95/98/Me
constexpr uint32_t kPlatformWin32Nt = 2;      // Windows NT family

struct OsVersionInfo {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0; // the whole dwBuildNumber field
    uint32_t platformId = 0;
    std::string servicePack; // szCSDVersion, e.g. "Service Pack 2"
};

class OsVersionPort {
  public:
    virtual ~OsVersionPort() = default;
    virtual OsVersionInfo Read() const = 0;
};

} // namespace korvane

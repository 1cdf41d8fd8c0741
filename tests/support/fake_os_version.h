// An operating-system version that answers whatever the test set; `info` may change mid-test.
#pragma once

#include "toolkit/os_version.h"

#include <cstdint>
#include <string>

namespace korvane::test {

class FixedOsVersion final : public OsVersionPort {
  public:
    explicit FixedOsVersion(uint32_t platformId, uint32_t major = 0, uint32_t minor = 0,
                            uint32_t build = 0) {
        info.platformId = platformId;
        info.major = major;
        info.minor = minor;
        info.build = build;
    }
    OsVersionInfo Read() const override { return info; }
    OsVersionInfo info;
};

} // namespace korvane::test

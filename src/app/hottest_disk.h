// The main icon as one icon for every disk: which disk is the hottest, and the tooltip that
// lists them all.
#pragma once

#include "toolkit/os_version.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

// A monitored disk's reading as the main icon shows it.
struct DiskReading {
    int32_t driveNumber = 0;
    int32_t temperature = -1; // degrees Celsius
    std::string text;         // in the unit shown: "41\xB0" "C"
};

// The position of the hottest reading, the first of equal ones; -1 without readings.
int HottestReading(const std::vector<DiskReading>& readings);

// "HDD1 41°C, HDD2 38°C, ..." within `limit` characters: whole entries only, and when not all
// of them fit, as many as fit before ", ..." (the ANSI ellipsis).
std::string DiskListTooltip(const std::vector<DiskReading>& readings, size_t limit = 63);

// The one-time balloon of Windows 11, which puts every new tray icon out of sight.
inline constexpr const char* kPinHintTitle = "Korvane";
inline constexpr const char* kPinHintText =
    "Windows puts new tray icons out of sight. To keep Korvane's icon on the taskbar, open the "
    "taskbar settings and turn it on under \"Other system tray icons\".";
inline constexpr uint32_t kPinHintTimeoutMs = 30000;
inline constexpr uint32_t kWindows11Build = 22000;

// Whether the balloon is due: Windows 11 or later (10.0 build 22000 on), never shown before.
bool PinHintDue(const OsVersionInfo& version, bool shownBefore);

} // namespace korvane

// The metrics file's text for windows_exporter's textfile collector: Prometheus's text exposition
// format, one family per fact, every disk's series labelled with its disk, model and serial.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

// What one disk's series show.
struct DiskMetrics {
    int32_t driveNumber = 0;
    std::string model;  // firmware text: escaped, never trusted
    std::string serial; // the same
    std::string readPath;
    bool hasReading = false;
    int32_t temperature = -1; // °C
    int32_t warningLevel = -1;
    int32_t criticalLevel = -1;
    uint8_t state = 0;            // 0 normal, 1 warning, 2 critical
    int64_t lastReadingUnix = -1; // seconds since 1970 of the last poll with a reading; -1 none
};

// A label value as the format wants it: backslash, double quote and line feed escaped, and the
// ANSI bytes above 127 as UTF-8 (taken as Latin-1) so that the file stays valid UTF-8.
std::string EscapeLabelValue(const std::string& text);

// The whole file: # HELP and # TYPE of each family, no time stamps, a final line feed.
std::string FormatMetrics(const std::vector<DiskMetrics>& disks);

// The file written first and then renamed over `path`: "x.prom" gives "x.prom.tmp".
std::string MetricsTempPath(const std::string& path);

} // namespace korvane

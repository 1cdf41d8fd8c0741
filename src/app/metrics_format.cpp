// The metrics file's text: families, labels and their escaping.
#include "app/metrics_format.h"

#include "toolkit/product.h"
#include "toolkit/text.h"

namespace korvane {

namespace {

struct Family {
    const char* name;
    const char* help;
};

constexpr Family kBuildInfo{"korvane_build_info", "Korvane's version and build; value 1."};
constexpr Family kDiskInfo{
    "korvane_disk_info", "A watched disk: model, serial and how its temperature is read; value 1."};
constexpr Family kTemperature{"korvane_disk_temperature_celsius",
                              "The disk's temperature at its last reading."};
constexpr Family kWarningLevel{"korvane_disk_warning_level_celsius",
                               "The disk's warning level in force."};
constexpr Family kCriticalLevel{"korvane_disk_critical_level_celsius",
                                "The disk's critical level in force."};
constexpr Family kState{"korvane_disk_state", "The disk's state: 0 normal, 1 warning, 2 critical."};
constexpr Family kLastReading{"korvane_disk_last_reading_timestamp_seconds",
                              "When the disk last gave a temperature, in seconds since 1970."};

void Head(std::string& out, const Family& family) {
    out += "# HELP ";
    out += family.name;
    out += ' ';
    out += family.help;
    out += "\n# TYPE ";
    out += family.name;
    out += " gauge\n";
}

std::string DiskLabels(const DiskMetrics& disk) {
    return "disk=\"HDD" + IntToStr(disk.driveNumber + 1) + "\",model=\"" +
           EscapeLabelValue(disk.model) + "\",serial=\"" + EscapeLabelValue(disk.serial) + "\"";
}

void Sample(std::string& out, const Family& family, const std::string& labels, int64_t value) {
    out += family.name;
    out += '{';
    out += labels;
    out += "} ";
    out += std::to_string(value);
    out += '\n';
}

} // namespace

std::string EscapeLabelValue(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else if (byte >= 0x80) {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        } else
            out += c;
    }
    return out;
}

std::string FormatMetrics(const std::vector<DiskMetrics>& disks) {
    std::string out;
    Head(out, kBuildInfo);
    Sample(out, kBuildInfo,
           "version=\"" KORVANE_VERSION_SHORT_TEXT "\",build=\"" KORVANE_BUILD_TEXT "\"", 1);

    Head(out, kDiskInfo);
    for (const DiskMetrics& disk : disks)
        Sample(out, kDiskInfo,
               DiskLabels(disk) + ",read_path=\"" + EscapeLabelValue(disk.readPath) + "\"", 1);
    // A disk without a reading has no temperature series: a stale number would look current.
    Head(out, kTemperature);
    for (const DiskMetrics& disk : disks)
        if (disk.hasReading)
            Sample(out, kTemperature, DiskLabels(disk), disk.temperature);
    Head(out, kWarningLevel);
    for (const DiskMetrics& disk : disks)
        Sample(out, kWarningLevel, DiskLabels(disk), disk.warningLevel);
    Head(out, kCriticalLevel);
    for (const DiskMetrics& disk : disks)
        Sample(out, kCriticalLevel, DiskLabels(disk), disk.criticalLevel);
    Head(out, kState);
    for (const DiskMetrics& disk : disks)
        Sample(out, kState, DiskLabels(disk), disk.state);
    Head(out, kLastReading);
    for (const DiskMetrics& disk : disks)
        if (disk.lastReadingUnix >= 0)
            Sample(out, kLastReading, DiskLabels(disk), disk.lastReadingUnix);
    return out;
}

std::string MetricsTempPath(const std::string& path) {
    return path + ".tmp";
}

} // namespace korvane

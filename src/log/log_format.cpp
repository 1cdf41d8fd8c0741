// Time stamps, level fields and log lines.
#include "log/log_format.h"

#include <array>
#include <cstdio>

namespace korvane {
namespace {

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr size_t kLevelFieldWidth = 9;

} // namespace

std::string LevelName(int32_t level) {
    switch (level) {
    case kNotice:
        return "notice";
    case kWarning:
        return "warning";
    case kError:
        return "error";
    default:
        return "";
    }
}

std::string LevelField(int32_t level) {
    // Built by appending: GCC 12 warns falsely (-Wrestrict) on "[" + std::string.
    std::string field = "[";
    field += LevelName(level);
    field += ']';
    if (field.size() < kLevelFieldWidth) {
        field.append(kLevelFieldWidth - field.size(), ' ');
    }
    return field;
}

std::string FormatLogDate(const LocalTime& time) {
    const char* month = time.month >= 1 && time.month <= 12 ? kMonths[time.month - 1] : "???";
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%s/%04d", static_cast<int>(time.day), month,
                  static_cast<int>(time.year));
    return text;
}

std::string FormatTimeStamp(const LocalTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, " %d:%02d:%02d", static_cast<int>(time.hour),
                  static_cast<int>(time.minute), static_cast<int>(time.second));
    return FormatLogDate(time) + text;
}

std::string TemperatureLogLine(const LocalTime& time, const std::string& message) {
    std::string line = "[";
    line += FormatTimeStamp(time);
    line += "] ";
    line += message;
    return line;
}

std::string DebugLogLine(const LocalTime& time, int32_t level, const std::string& message) {
    std::string line = "[";
    line += FormatTimeStamp(time);
    line += "] ";
    line += LevelField(level);
    line += ' ';
    line += message;
    return line;
}

std::string SafeFileName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|') {
            c = '_';
        }
    }
    return safe;
}

} // namespace korvane

// Time stamps, level fields and log lines.
#include "log/log_format.h"

#include "log/log_calendar.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace korvane {
namespace {

constexpr const auto& kMonths = kLogMonthNames;
constexpr size_t kLevelFieldWidth = 9;

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code == 127;
}

// The stems that Windows opens as devices in any folder. CONIN$ and CONOUT$ joined them in
// Windows 8; the superscript digits (ANSI bytes B9, B2, B3) count as digits for COM and LPT.
bool IsDeviceStem(std::string_view stem) {
    std::string upper(stem);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (const char* name : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (upper == name) {
            return true;
        }
    }
    if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT"))) {
        const auto digit = static_cast<unsigned char>(upper[3]);
        return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

const char* LevelNameText(int32_t level) {
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

// Room for the stamp of any LocalTime, even with every field at its 32-bit extreme.
struct StampText {
    char text[64];
};

// "dd/MMM/yyyy H:mm:ss" into `stamp`; its length.
size_t StampOf(const LocalTime& time, StampText& stamp) {
    const char* month = time.month >= 1 && time.month <= 12 ? kMonths[time.month - 1] : "???";
    const int length = std::snprintf(stamp.text, sizeof stamp.text, "%02d/%s/%04d %d:%02d:%02d",
                                     static_cast<int>(time.day), month, static_cast<int>(time.year),
                                     static_cast<int>(time.hour), static_cast<int>(time.minute),
                                     static_cast<int>(time.second));
    return length < 0 ? 0 : std::min(static_cast<size_t>(length), sizeof stamp.text - 1);
}

void AppendSafeLogText(std::string& line, const std::string& message) {
    const size_t start = line.size();
    line += message;
    for (size_t i = start; i < line.size(); ++i) {
        if (IsControl(line[i])) {
            line[i] = '_';
        }
    }
}

// "[name]" padded to the field's width, at the end of `line`.
void AppendLevelField(std::string& line, int32_t level) {
    const size_t start = line.size();
    line += '[';
    line += LevelNameText(level);
    line += ']';
    if (line.size() - start < kLevelFieldWidth) {
        line.append(kLevelFieldWidth - (line.size() - start), ' ');
    }
}

} // namespace

std::string LevelName(int32_t level) {
    return LevelNameText(level);
}

std::string LevelField(int32_t level) {
    std::string field;
    AppendLevelField(field, level);
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
    StampText stamp;
    return {stamp.text, StampOf(time, stamp)};
}

std::string TemperatureLogLine(const LocalTime& time, const std::string& message) {
    std::string line;
    MakeTemperatureLogLine(line, time, message);
    return line;
}

std::string DebugLogLine(const LocalTime& time, int32_t level, const std::string& message) {
    std::string line;
    MakeDebugLogLine(line, time, level, message);
    return line;
}

void MakeTemperatureLogLine(std::string& line, const LocalTime& time, const std::string& message) {
    StampText stamp;
    line.assign(1, '[');
    line.append(stamp.text, StampOf(time, stamp));
    line += "] ";
    AppendSafeLogText(line, message);
}

void MakeDebugLogLine(std::string& line, const LocalTime& time, int32_t level,
                      const std::string& message) {
    StampText stamp;
    line.assign(1, '[');
    line.append(stamp.text, StampOf(time, stamp));
    line += "] ";
    AppendLevelField(line, level);
    line += ' ';
    AppendSafeLogText(line, message);
}

std::string SafeLogText(const std::string& message) {
    std::string safe;
    AppendSafeLogText(safe, message);
    return safe;
}

std::string SafeFileName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        if (IsControl(c) || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' ||
            c == '<' || c == '>' || c == '|') {
            c = '_';
        }
    }
    std::string_view stem(safe);
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.remove_suffix(1);
    }
    if (IsDeviceStem(stem)) {
        safe.insert(0, 1, '_');
    }
    return safe;
}

} // namespace korvane

// The line formats of the debug log and the temperature logs, to the byte.
#pragma once

#include "toolkit/clock.h"

#include <cstdint>
#include <string>

namespace korvane {

enum LogTarget : int32_t { kTemperatureLog = 0, kDebugLog = 1 };
enum LogLevel : int32_t { kNotice = 0, kWarning = 1, kError = 2 };

// "notice", "warning", "error"; the empty text for any other level.
std::string LevelName(int32_t level);
// "[" + level name + "]" filled with blanks on the right to 9 characters.
std::string LevelField(int32_t level);

// "dd/MMM/yyyy" with English month names, whatever the user's language.
std::string FormatLogDate(const LocalTime& time);
// "dd/MMM/yyyy H:mm:ss": 24-hour clock, hours without a leading zero.
std::string FormatTimeStamp(const LocalTime& time);

// "[" + stamp + "] " + message, the message as one line (SafeLogText).
std::string TemperatureLogLine(const LocalTime& time, const std::string& message);
// "[" + stamp + "] " + level field + " " + message, the message as one line (SafeLogText).
std::string DebugLogLine(const LocalTime& time, int32_t level, const std::string& message);
// The same lines put in place of `line`'s text, keeping its buffer: the logger writes a line at
// every poll of every disk and needs no new memory for it.
void MakeTemperatureLogLine(std::string& line, const LocalTime& time, const std::string& message);
void MakeDebugLogLine(std::string& line, const LocalTime& time, int32_t level,
                      const std::string& message);

// A message that stays one record: control characters (codes 0 to 31 and 127) become "_", so
// that a disk model with CR or LF in its firmware text cannot start a forged line.
std::string SafeLogText(const std::string& message);

// A file name that stays inside its folder and is a file: every character Windows forbids in
// file names (\ / : * ? " < > |, codes below 32, and 127) becomes "_", and a name that Windows
// would take for a device (CON, PRN, AUX, NUL, COM0-9, LPT0-9 before the first dot, any case,
// trailing blanks ignored) gets a leading "_". Disk models come from the disk's firmware.
std::string SafeFileName(const std::string& name);

} // namespace korvane

// One alarm level's actions as the settings file holds them: what the dispatch queues and what
// the disk page edits.
#pragma once

#include "settings/alarm_keys.h"

#include <cstdint>
#include <string>

namespace korvane {

class TOptionsSection;

struct AlarmSettings {
    bool showMessage = false;
    bool playSound = false;
    std::string soundFile{};
    bool executeApp = false;
    std::string application{};
    bool poweroff = false;
    // 0 shutdown, 1 hibernate, as stored: the disk page stores its list's index, -1 for none.
    int32_t poweroffMethod = 0;
    bool operator==(const AlarmSettings&) const = default;
};

// Absent keys read as false, the empty text and 0.
AlarmSettings ReadAlarmSettings(const TOptionsSection& section, AlarmLevel level);

// Every key of the level, in the order of the settings file.
void WriteAlarmSettings(const TOptionsSection& section, AlarmLevel level,
                        const AlarmSettings& settings);

// Only the keys whose value differs from `stored`, in the same order. A method of -1 (a list that
// cannot show the stored method) is never written: the stored one stays.
void WriteChangedAlarmSettings(const TOptionsSection& section, AlarmLevel level,
                               const AlarmSettings& stored, const AlarmSettings& current);

} // namespace korvane

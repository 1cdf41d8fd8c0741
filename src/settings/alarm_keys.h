// The keys of one alarm level's actions and of each temperature state's indicator colours, in the
// order the settings file holds them: the one table the alarm dispatch and the disk pages read.
#pragma once

#include "settings/keys.h"

#include <array>
#include <cstdint>

namespace korvane {

// The alarm levels, numbered as the temperature states they answer.
enum class AlarmLevel : uint8_t { Warning = 1, Critical = 2 };
inline constexpr std::array kAlarmLevels{AlarmLevel::Warning, AlarmLevel::Critical};

struct AlarmKeys {
    const SettingsString& showMessage;
    const SettingsString& playSound;
    const SettingsString& soundFile;
    const SettingsString& executeApp;
    const SettingsString& application;
    const SettingsString& poweroff;
    const SettingsString& poweroffMethod;
};

inline constexpr AlarmKeys kWarningAlarmKeys{
    key::WarningCtl_ShowMessage,   key::WarningCtl_PlaySound,   key::WarningCtl_SoundFile,
    key::WarningCtl_ExecuteApp,    key::WarningCtl_Application, key::WarningCtl_Poweroff,
    key::WarningCtl_PoweroffMethod};
inline constexpr AlarmKeys kCriticalAlarmKeys{
    key::CriticalCtl_ShowMessage,   key::CriticalCtl_PlaySound,   key::CriticalCtl_SoundFile,
    key::CriticalCtl_ExecuteApp,    key::CriticalCtl_Application, key::CriticalCtl_Poweroff,
    key::CriticalCtl_PoweroffMethod};

constexpr const AlarmKeys& AlarmKeysOf(AlarmLevel level) {
    return level == AlarmLevel::Warning ? kWarningAlarmKeys : kCriticalAlarmKeys;
}

// The text and background colour keys of one state's indicator.
struct IconColorKeys {
    const SettingsString& text;
    const SettingsString& background;
};

// Normal, warning, critical: indexed by the state's number.
inline constexpr std::array<IconColorKeys, 3> kIconColorKeys{{
    {key::NormalTemp_IconTextColor, key::NormalTemp_IconBgColor},
    {key::WarningTemp_IconTextColor, key::WarningTemp_IconBgColor},
    {key::CriticalTemp_IconTextColor, key::CriticalTemp_IconBgColor},
}};

} // namespace korvane

// Names of the settings file's sections and keys, with their string-table ids.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvane {

struct SettingsString {
    const char* name;
    uint16_t id;
};

namespace key {
// Sections and the autostart key path.
inline constexpr SettingsString AutostartPath{"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                              65520};
inline constexpr SettingsString General{"General", 65521};
inline constexpr SettingsString Common{"COMMON", 65522};

// "General".
inline constexpr SettingsString UseCelsius{"UseCelsius", 65523};
inline constexpr SettingsString ShowMainIcon{"ShowMainIcon", 65524};
inline constexpr SettingsString LogEnabled{"LogEnabled", 65488};
inline constexpr SettingsString LogDays{"LogDays", 65489};
inline constexpr SettingsString EventLogEnabled{"EventLogEnabled", 65502};
inline constexpr SettingsString MetricsFile{"MetricsFile", 65503};
// 1 once the balloon that tells how to keep the icon visible on Windows 11 was shown.
inline constexpr SettingsString TrayPinHintShown{"TrayPinHintShown", 65501};

// A disk's own section only.
inline constexpr SettingsString EnableTempControl{"EnableTempControl", 65525};
inline constexpr SettingsString UseCommonSettings{"UseCommonSettings", 65526};

// The disk-defaults set.
inline constexpr SettingsString PollInterval{"PollInterval", 65527};
inline constexpr SettingsString PollUnits{"PollUnits", 65528};
inline constexpr SettingsString ShowDriveTempInTray{"ShowDriveTempInTray", 65529};
inline constexpr SettingsString NormalTemp_IconTextColor{"NormalTemp_IconTextColor", 65530};
inline constexpr SettingsString NormalTemp_IconBgColor{"NormalTemp_IconBgColor", 65531};
inline constexpr SettingsString WarningTemp_IconTextColor{"WarningTemp_IconTextColor", 65532};
inline constexpr SettingsString WarningTemp_IconBgColor{"WarningTemp_IconBgColor", 65533};
inline constexpr SettingsString CriticalTemp_IconTextColor{"CriticalTemp_IconTextColor", 65534};
inline constexpr SettingsString CriticalTemp_IconBgColor{"CriticalTemp_IconBgColor", 65535};
inline constexpr SettingsString WarningTemp_Level{"WarningTemp_Level", 65504};
inline constexpr SettingsString CriticalTemp_Level{"CriticalTemp_Level", 65505};
inline constexpr SettingsString WarningCtl_ShowMessage{"WarningCtl_ShowMessage", 65506};
inline constexpr SettingsString WarningCtl_PlaySound{"WarningCtl_PlaySound", 65507};
inline constexpr SettingsString WarningCtl_SoundFile{"WarningCtl_SoundFile", 65508};
inline constexpr SettingsString WarningCtl_ExecuteApp{"WarningCtl_ExecuteApp", 65509};
inline constexpr SettingsString WarningCtl_Application{"WarningCtl_Application", 65510};
inline constexpr SettingsString WarningCtl_Poweroff{"WarningCtl_Poweroff", 65511};
inline constexpr SettingsString WarningCtl_PoweroffMethod{"WarningCtl_PoweroffMethod", 65512};
inline constexpr SettingsString CriticalCtl_ShowMessage{"CriticalCtl_ShowMessage", 65513};
inline constexpr SettingsString CriticalCtl_PlaySound{"CriticalCtl_PlaySound", 65514};
inline constexpr SettingsString CriticalCtl_SoundFile{"CriticalCtl_SoundFile", 65515};
inline constexpr SettingsString CriticalCtl_ExecuteApp{"CriticalCtl_ExecuteApp", 65516};
inline constexpr SettingsString CriticalCtl_Application{"CriticalCtl_Application", 65517};
inline constexpr SettingsString CriticalCtl_Poweroff{"CriticalCtl_Poweroff", 65518};
inline constexpr SettingsString CriticalCtl_PoweroffMethod{"CriticalCtl_PoweroffMethod", 65519};
} // namespace key

// Every entry of the string table, as resources/strings.rc holds it.
inline constexpr std::array kSettingsStrings{
    key::AutostartPath,
    key::General,
    key::Common,
    key::UseCelsius,
    key::ShowMainIcon,
    key::LogEnabled,
    key::LogDays,
    key::EventLogEnabled,
    key::MetricsFile,
    key::TrayPinHintShown,
    key::EnableTempControl,
    key::UseCommonSettings,
    key::PollInterval,
    key::PollUnits,
    key::ShowDriveTempInTray,
    key::NormalTemp_IconTextColor,
    key::NormalTemp_IconBgColor,
    key::WarningTemp_IconTextColor,
    key::WarningTemp_IconBgColor,
    key::CriticalTemp_IconTextColor,
    key::CriticalTemp_IconBgColor,
    key::WarningTemp_Level,
    key::CriticalTemp_Level,
    key::WarningCtl_ShowMessage,
    key::WarningCtl_PlaySound,
    key::WarningCtl_SoundFile,
    key::WarningCtl_ExecuteApp,
    key::WarningCtl_Application,
    key::WarningCtl_Poweroff,
    key::WarningCtl_PoweroffMethod,
    key::CriticalCtl_ShowMessage,
    key::CriticalCtl_PlaySound,
    key::CriticalCtl_SoundFile,
    key::CriticalCtl_ExecuteApp,
    key::CriticalCtl_Application,
    key::CriticalCtl_Poweroff,
    key::CriticalCtl_PoweroffMethod,
};

// Every entry has an id of its own in one small range: a table indexed by id holds their names.
inline constexpr uint16_t kFirstSettingsStringId = 65488;
inline constexpr size_t kSettingsStringIdRange = 48;
constexpr bool SettingsStringIdsFitTheTable() {
    std::array<bool, kSettingsStringIdRange> seen{};
    for (const SettingsString& entry : kSettingsStrings) {
        if (entry.id < kFirstSettingsStringId) {
            return false;
        }
        const size_t slot = static_cast<size_t>(entry.id - kFirstSettingsStringId);
        if (slot >= kSettingsStringIdRange || seen[slot]) {
            return false;
        }
        seen[slot] = true;
    }
    return true;
}
static_assert(SettingsStringIdsFitTheTable());

} // namespace korvane

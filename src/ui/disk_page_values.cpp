// Reading and writing the keys of a disk page.
#include "ui/disk_page_values.h"

#include "drives/drive.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/text.h"

namespace korvane {

namespace {

constexpr std::array<const SettingsString*, 6> kColorKeys{
    &key::NormalTemp_IconTextColor,   &key::NormalTemp_IconBgColor,
    &key::WarningTemp_IconTextColor,  &key::WarningTemp_IconBgColor,
    &key::CriticalTemp_IconTextColor, &key::CriticalTemp_IconBgColor,
};

struct AlarmKeys {
    const SettingsString& showMessage;
    const SettingsString& playSound;
    const SettingsString& soundFile;
    const SettingsString& executeApp;
    const SettingsString& application;
    const SettingsString& poweroff;
    const SettingsString& method;
};

const std::array<AlarmKeys, 2> kAlarmKeys{{
    {key::WarningCtl_ShowMessage, key::WarningCtl_PlaySound, key::WarningCtl_SoundFile,
     key::WarningCtl_ExecuteApp, key::WarningCtl_Application, key::WarningCtl_Poweroff,
     key::WarningCtl_PoweroffMethod},
    {key::CriticalCtl_ShowMessage, key::CriticalCtl_PlaySound, key::CriticalCtl_SoundFile,
     key::CriticalCtl_ExecuteApp, key::CriticalCtl_Application, key::CriticalCtl_Poweroff,
     key::CriticalCtl_PoweroffMethod},
}};

} // namespace

DiskFacts DiskFactsOf(const TDrive& drive) {
    DiskFacts facts;
    facts.modelText = drive.ModelText();
    facts.model = drive.Smart().Model();
    facts.serialNumber = drive.Smart().SerialNumber();
    // The header shows the whole capacity (48-bit sector count); the log file name keeps the other.
    facts.capacityText = drive.RealCapacityText();
    facts.hasTemperature = drive.HasTemperature();
    return facts;
}

DiskPageValues ReadDiskPageValues(const TOptionsSection& section, const DiskFacts* disk) {
    DiskPageValues v;
    if (disk != nullptr) {
        v.enableTempControl = disk->hasTemperature && section.ReadBool(key::EnableTempControl.name);
        v.useCommonSettings = section.ReadBool(key::UseCommonSettings.name);
    }
    const int32_t interval = section.ReadInteger(key::PollInterval.name);
    v.pollInterval = IntToStr(interval <= 0 ? 1 : interval);
    v.pollUnits = section.ReadInteger(key::PollUnits.name);
    v.showInTray = section.ReadInteger(key::ShowDriveTempInTray.name);
    for (size_t i = 0; i < kColorKeys.size(); ++i) {
        v.colors[i] = section.ReadInteger(kColorKeys[i]->name);
    }
    v.warningLevel = IntToStr(section.ReadInteger(key::WarningTemp_Level.name));
    v.criticalLevel = IntToStr(section.ReadInteger(key::CriticalTemp_Level.name));
    for (size_t i = 0; i < kAlarmKeys.size(); ++i) {
        const AlarmKeys& k = kAlarmKeys[i];
        AlarmValues& a = v.alarms[i];
        a.showMessage = section.ReadBool(k.showMessage.name);
        a.playSound = section.ReadBool(k.playSound.name);
        a.soundFile = section.ReadString(k.soundFile.name);
        a.executeApp = section.ReadBool(k.executeApp.name);
        a.application = section.ReadString(k.application.name);
        a.poweroff = section.ReadBool(k.poweroff.name);
        a.method = section.ReadInteger(k.method.name);
    }
    return v;
}

bool ShouldSaveDiskPage(const DiskPageSource& source, const DiskPageValues& loaded,
                        const DiskPageValues& current) {
    return !source.disk || !(loaded == current);
}

void WriteDiskPageValues(const TOptionsSection& section, const DiskPageSource& source,
                         const DiskPageValues& v) {
    if (source.disk) {
        if (source.hadTemperature) {
            section.WriteBool(key::EnableTempControl.name, v.enableTempControl);
        }
        section.WriteBool(key::UseCommonSettings.name, v.useCommonSettings);
    }
    section.WriteString(key::PollInterval.name, v.pollInterval);
    section.WriteInteger(key::PollUnits.name, v.pollUnits);
    section.WriteInteger(key::ShowDriveTempInTray.name, v.showInTray);
    for (size_t i = 0; i < kColorKeys.size(); ++i) {
        section.WriteInteger(kColorKeys[i]->name, v.colors[i]);
    }
    section.WriteString(key::WarningTemp_Level.name, v.warningLevel);
    section.WriteString(key::CriticalTemp_Level.name, v.criticalLevel);
    for (size_t i = 0; i < kAlarmKeys.size(); ++i) {
        const AlarmKeys& k = kAlarmKeys[i];
        const AlarmValues& a = v.alarms[i];
        section.WriteBool(k.showMessage.name, a.showMessage);
        section.WriteBool(k.playSound.name, a.playSound);
        section.WriteString(k.soundFile.name, a.soundFile);
        section.WriteBool(k.executeApp.name, a.executeApp);
        section.WriteString(k.application.name, a.application);
        section.WriteBool(k.poweroff.name, a.poweroff);
        section.WriteInteger(k.method.name, a.method);
    }
}

} // namespace korvane

// Reading and writing the keys of a disk page.
#include "ui/disk_page_values.h"

#include "drives/drive.h"
#include "settings/alarm_keys.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/text.h"

namespace korvane {

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
    for (size_t state = 0; state < kIconColorKeys.size(); ++state) {
        v.colors[2 * state] = section.ReadInteger(kIconColorKeys[state].text.name);
        v.colors[2 * state + 1] = section.ReadInteger(kIconColorKeys[state].background.name);
    }
    v.warningLevel = IntToStr(section.ReadInteger(key::WarningTemp_Level.name));
    v.criticalLevel = IntToStr(section.ReadInteger(key::CriticalTemp_Level.name));
    for (size_t i = 0; i < kAlarmLevels.size(); ++i) {
        v.alarms[i] = ReadAlarmSettings(section, kAlarmLevels[i]);
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
    for (size_t state = 0; state < kIconColorKeys.size(); ++state) {
        section.WriteInteger(kIconColorKeys[state].text.name, v.colors[2 * state]);
        section.WriteInteger(kIconColorKeys[state].background.name, v.colors[2 * state + 1]);
    }
    section.WriteString(key::WarningTemp_Level.name, v.warningLevel);
    section.WriteString(key::CriticalTemp_Level.name, v.criticalLevel);
    for (size_t i = 0; i < kAlarmLevels.size(); ++i) {
        WriteAlarmSettings(section, kAlarmLevels[i], v.alarms[i]);
    }
}

} // namespace korvane

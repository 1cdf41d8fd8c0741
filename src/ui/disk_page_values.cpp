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

DiskPageValues StoredDiskPageValues(const TOptionsSection& section, bool disk) {
    DiskPageValues v;
    if (disk) {
        v.enableTempControl = section.ReadBool(key::EnableTempControl.name);
        v.useCommonSettings = section.ReadBool(key::UseCommonSettings.name);
    }
    v.pollInterval = IntToStr(section.ReadInteger(key::PollInterval.name));
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

DiskPageValues ReadDiskPageValues(const TOptionsSection& section, const DiskFacts* disk) {
    DiskPageValues v = StoredDiskPageValues(section, disk != nullptr);
    v.enableTempControl = v.enableTempControl && disk != nullptr && disk->hasTemperature;
    if (section.ReadInteger(key::PollInterval.name) <= 0) {
        // Not a literal: GCC 12 at -O3 warns falsely on assigning one here.
        v.pollInterval = IntToStr(1);
    }
    return v;
}

namespace {

// -1 is what a list or colour combo reports when it cannot show the stored value.
bool Shows(int32_t value) {
    return value != -1;
}

} // namespace

DiskPageValues WriteChangedDiskPageValues(const TOptionsSection& section,
                                          const DiskPageSource& source,
                                          const DiskPageValues& stored, const DiskPageValues& v) {
    DiskPageValues now = stored;
    const auto integer = [&](const char* name, int32_t value, int32_t& held) {
        if (Shows(value) && value != held) {
            section.WriteInteger(name, value);
            held = value;
        }
    };
    const auto text = [&](const char* name, const std::string& value, std::string& held) {
        if (value != held) {
            section.WriteString(name, value);
            held = value;
        }
    };
    const auto boolean = [&](const char* name, bool value, bool& held) {
        if (value != held) {
            section.WriteBool(name, value);
            held = value;
        }
    };
    if (source.disk) {
        if (source.hadTemperature) {
            boolean(key::EnableTempControl.name, v.enableTempControl, now.enableTempControl);
        }
        boolean(key::UseCommonSettings.name, v.useCommonSettings, now.useCommonSettings);
    }
    text(key::PollInterval.name, v.pollInterval, now.pollInterval);
    integer(key::PollUnits.name, v.pollUnits, now.pollUnits);
    integer(key::ShowDriveTempInTray.name, v.showInTray, now.showInTray);
    for (size_t state = 0; state < kIconColorKeys.size(); ++state) {
        integer(kIconColorKeys[state].text.name, v.colors[2 * state], now.colors[2 * state]);
        integer(kIconColorKeys[state].background.name, v.colors[2 * state + 1],
                now.colors[2 * state + 1]);
    }
    text(key::WarningTemp_Level.name, v.warningLevel, now.warningLevel);
    text(key::CriticalTemp_Level.name, v.criticalLevel, now.criticalLevel);
    for (size_t i = 0; i < kAlarmLevels.size(); ++i) {
        WriteChangedAlarmSettings(section, kAlarmLevels[i], stored.alarms[i], v.alarms[i]);
        AlarmSettings& held = now.alarms[i];
        const int32_t method = held.poweroffMethod;
        held = v.alarms[i];
        if (!Shows(held.poweroffMethod)) {
            held.poweroffMethod = method;
        }
    }
    return now;
}

} // namespace korvane

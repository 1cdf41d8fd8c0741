// Reading and writing one alarm level's actions.
#include "settings/alarm_settings.h"

#include "settings/options.h"

namespace korvane {

AlarmSettings ReadAlarmSettings(const TOptionsSection& section, AlarmLevel level) {
    const AlarmKeys& k = AlarmKeysOf(level);
    AlarmSettings a;
    a.showMessage = section.ReadBool(k.showMessage);
    a.playSound = section.ReadBool(k.playSound);
    a.soundFile = section.ReadString(k.soundFile);
    a.executeApp = section.ReadBool(k.executeApp);
    a.application = section.ReadString(k.application);
    a.poweroff = section.ReadBool(k.poweroff);
    a.poweroffMethod = section.ReadInteger(k.poweroffMethod);
    return a;
}

namespace {

// Every key when `stored` is null, else only those whose value differs from it.
void WriteKeys(const TOptionsSection& section, AlarmLevel level, const AlarmSettings* stored,
               const AlarmSettings& a) {
    const AlarmKeys& k = AlarmKeysOf(level);
    auto changed = [&](auto AlarmSettings::*field) {
        return stored == nullptr || a.*field != stored->*field;
    };
    if (changed(&AlarmSettings::showMessage))
        section.WriteBool(k.showMessage.name, a.showMessage);
    if (changed(&AlarmSettings::playSound))
        section.WriteBool(k.playSound.name, a.playSound);
    if (changed(&AlarmSettings::soundFile))
        section.WriteString(k.soundFile.name, a.soundFile);
    if (changed(&AlarmSettings::executeApp))
        section.WriteBool(k.executeApp.name, a.executeApp);
    if (changed(&AlarmSettings::application))
        section.WriteString(k.application.name, a.application);
    if (changed(&AlarmSettings::poweroff))
        section.WriteBool(k.poweroff.name, a.poweroff);
    if (changed(&AlarmSettings::poweroffMethod) && (stored == nullptr || a.poweroffMethod >= 0))
        section.WriteInteger(k.poweroffMethod.name, a.poweroffMethod);
}

} // namespace

void WriteAlarmSettings(const TOptionsSection& section, AlarmLevel level, const AlarmSettings& a) {
    WriteKeys(section, level, nullptr, a);
}

void WriteChangedAlarmSettings(const TOptionsSection& section, AlarmLevel level,
                               const AlarmSettings& stored, const AlarmSettings& a) {
    WriteKeys(section, level, &stored, a);
}

} // namespace korvane

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

void WriteAlarmSettings(const TOptionsSection& section, AlarmLevel level, const AlarmSettings& a) {
    const AlarmKeys& k = AlarmKeysOf(level);
    section.WriteBool(k.showMessage.name, a.showMessage);
    section.WriteBool(k.playSound.name, a.playSound);
    section.WriteString(k.soundFile.name, a.soundFile);
    section.WriteBool(k.executeApp.name, a.executeApp);
    section.WriteString(k.application.name, a.application);
    section.WriteBool(k.poweroff.name, a.poweroff);
    section.WriteInteger(k.poweroffMethod.name, a.poweroffMethod);
}

void WriteChangedAlarmSettings(const TOptionsSection& section, AlarmLevel level,
                               const AlarmSettings& stored, const AlarmSettings& a) {
    const AlarmKeys& k = AlarmKeysOf(level);
    if (a.showMessage != stored.showMessage)
        section.WriteBool(k.showMessage.name, a.showMessage);
    if (a.playSound != stored.playSound)
        section.WriteBool(k.playSound.name, a.playSound);
    if (a.soundFile != stored.soundFile)
        section.WriteString(k.soundFile.name, a.soundFile);
    if (a.executeApp != stored.executeApp)
        section.WriteBool(k.executeApp.name, a.executeApp);
    if (a.application != stored.application)
        section.WriteString(k.application.name, a.application);
    if (a.poweroff != stored.poweroff)
        section.WriteBool(k.poweroff.name, a.poweroff);
    if (a.poweroffMethod >= 0 && a.poweroffMethod != stored.poweroffMethod)
        section.WriteInteger(k.poweroffMethod.name, a.poweroffMethod);
}

} // namespace korvane

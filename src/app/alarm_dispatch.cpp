// The application's answer to a disk's status change: the change line and the alarm request.
#include "app/alarm_dispatch.h"

#include "actions/executor.h"
#include "log/logger.h"
#include "settings/keys.h"
#include "settings/options.h"

namespace korvane {

namespace {

struct AlarmKeys {
    const char* queueLine;
    const SettingsString& showMessage;
    const SettingsString& playSound;
    const SettingsString& executeApp;
    const SettingsString& poweroff;
    const SettingsString& soundFile;
    const SettingsString& application;
    const SettingsString& poweroffMethod;
};

const AlarmKeys kWarningKeys{": put Warning Action in queue", key::WarningCtl_ShowMessage,
                             key::WarningCtl_PlaySound,       key::WarningCtl_ExecuteApp,
                             key::WarningCtl_Poweroff,        key::WarningCtl_SoundFile,
                             key::WarningCtl_Application,     key::WarningCtl_PoweroffMethod};
const AlarmKeys kCriticalKeys{": put Critical Action in queue", key::CriticalCtl_ShowMessage,
                              key::CriticalCtl_PlaySound,       key::CriticalCtl_ExecuteApp,
                              key::CriticalCtl_Poweroff,        key::CriticalCtl_SoundFile,
                              key::CriticalCtl_Application,     key::CriticalCtl_PoweroffMethod};

} // namespace

TAlarmDispatch::TAlarmDispatch(TLogger& logger, ActionQueuePort& queue, std::function<bool()> live)
    : logger_(logger), queue_(queue), live_(std::move(live)) {}

void TAlarmDispatch::OnDriveStatusChange(TDrives*, TDrive& drive, TTempStatus oldStatus,
                                         TTempStatus newStatus) {
    if (!live_ || !live_())
        return;
    logger_.Log(kTemperatureLog, drive.LogFileName(),
                "changed temperature status (from \"" + StatusName(oldStatus) + "\" to \"" +
                    StatusName(newStatus) + "\")",
                kNotice);
    QueueDriveAlarm(drive, newStatus);
}

void TAlarmDispatch::QueueDriveAlarm(TDrive& drive, TTempStatus status) {
    if (status != Warning && status != Critical)
        return;
    const TOptionsSection& section = drive.SettingsSection();
    const AlarmKeys& keys = status == Warning ? kWarningKeys : kCriticalKeys;
    logger_.Log(kDebugLog, "", drive.DisplayName() + keys.queueLine, kNotice);
    const int32_t limit = status == Warning ? drive.WarningLevel() : drive.CriticalLevel();
    const bool showMessage = section.ReadBool(keys.showMessage.name);
    const bool playSound = section.ReadBool(keys.playSound.name);
    const bool executeApp = section.ReadBool(keys.executeApp.name);
    const bool poweroff = section.ReadBool(keys.poweroff.name);
    const std::string soundFile = section.ReadString(keys.soundFile.name);
    const std::string application = section.ReadString(keys.application.name);
    const int32_t method = section.ReadInteger(keys.poweroffMethod.name);
    queue_.QueueAction(static_cast<uint8_t>(status), drive, static_cast<uint8_t>(method),
                       application, soundFile, poweroff, executeApp, playSound, showMessage, limit);
}

} // namespace korvane

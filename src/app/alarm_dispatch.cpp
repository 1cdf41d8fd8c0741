// The application's answer to a disk's status change: the change line and the alarm request.
#include "app/alarm_dispatch.h"

#include "actions/executor.h"
#include "log/logger.h"
#include "settings/alarm_settings.h"
#include "settings/options.h"

namespace korvane {

namespace {

const char* QueueLine(AlarmLevel level) {
    return level == AlarmLevel::Warning ? ": put Warning Action in queue"
                                        : ": put Critical Action in queue";
}

} // namespace

AlarmDispatch::AlarmDispatch(TLogger& logger, ActionQueuePort& queue, std::function<bool()> live)
    : logger_(logger), queue_(queue), live_(std::move(live)) {}

void AlarmDispatch::OnDriveStatusChange(TDrives*, TDrive& drive, TTempStatus oldStatus,
                                        TTempStatus newStatus) {
    if (!live_ || !live_())
        return;
    logger_.Log(kTemperatureLog, drive.LogFileName(),
                "changed temperature status (from \"" + StatusName(oldStatus) + "\" to \"" +
                    StatusName(newStatus) + "\")",
                kNotice);
    QueueDriveAlarm(drive, newStatus);
}

void AlarmDispatch::QueueDriveAlarm(TDrive& drive, TTempStatus status) {
    if (status != TTempStatus::Warning && status != TTempStatus::Critical)
        return;
    const TOptionsSection& section = drive.SettingsSection();
    const auto level = static_cast<AlarmLevel>(status);
    logger_.Log(kDebugLog, "", drive.DisplayName() + QueueLine(level), kNotice);
    const int32_t limit =
        status == TTempStatus::Warning ? drive.WarningLevel() : drive.CriticalLevel();
    queue_.QueueAction(static_cast<uint8_t>(level), drive, ReadAlarmSettings(section, level),
                       limit);
}

} // namespace korvane

// The application's answer to a disk's status change: the change line and the alarm request.
#pragma once

#include "drives/drive.h"

#include <functional>

namespace korvane {

class ActionQueuePort;
class TDrives;
class TLogger;

class AlarmDispatch {
  public:
    // `live` tells whether the countdown window exists: outside that span changes are dropped.
    AlarmDispatch(TLogger& logger, ActionQueuePort& queue, std::function<bool()> live);

    void OnDriveStatusChange(TDrives* sender, TDrive& drive, TTempStatus oldStatus,
                             TTempStatus newStatus);
    void QueueDriveAlarm(TDrive& drive, TTempStatus status);

  private:
    TLogger& logger_;
    ActionQueuePort& queue_;
    std::function<bool()> live_;
};

} // namespace korvane

// The application's answer to a disk's status change: the change line and the alarm request.
#pragma once

#include "drives/drive.h"

#include <functional>

namespace korvane {

class IActionQueue;
class TDrives;
class TLogger;

class TAlarmDispatch {
  public:
    // `live` tells whether the countdown window exists: outside that span changes are dropped.
    TAlarmDispatch(TLogger& logger, IActionQueue& queue, std::function<bool()> live);

    void OnDriveStatusChange(TDrives* sender, TDrive& drive, TTempStatus oldStatus,
                             TTempStatus newStatus);
    void QueueDriveAlarm(TDrive& drive, TTempStatus status);

  private:
    TLogger& logger_;
    IActionQueue& queue_;
    std::function<bool()> live_;
};

} // namespace korvane

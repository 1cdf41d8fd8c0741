// Test doubles of the alarm executor's ports: the application launcher, the countdown window and
// the queue as the alarm dispatch sees it.
#pragma once

#include "actions/action_launcher.h"
#include "actions/executor.h"
#include "actions/power_off_countdown.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane::test {

// A launcher the executor shares without owning it: for a test that outlives every start it
// makes (it waits for a start the stop gave up on before it ends).
inline std::shared_ptr<AppLauncherPort> Borrowed(AppLauncherPort& launcher) {
    return std::shared_ptr<AppLauncherPort>(std::shared_ptr<void>(), &launcher);
}

class RecordingLauncher final : public AppLauncherPort {
  public:
    Result Open(const std::string& path) override;

    std::vector<std::string> opened;
    bool fail = false;
    bool withProcess = true;
    bool processEnds = true;      // false: it keeps running through every wait
    std::vector<uint32_t> waits;  // timeouts asked of the process, in order
    std::atomic<int> released{0}; // process objects freed (a start given up on frees its own)
    std::function<void()> onOpen; // runs inside Open: to see what happened before, to throw, to
                                  // block as a hanging shell does
    std::atomic<int> returned{0}; // Opens that have returned; after it nothing of this is used
};

class FakeCountdown final : public PowerOffCountdownPort {
  public:
    void ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                       int32_t limitTemp, int32_t method) override;
    void WaitUntilClosed(const std::function<bool()>& stopRequested) override;
    bool PowerOffSucceeded() const override { return succeeded_; }
    void Dismiss() override { ++dismissed; }

    struct Shown {
        std::string heading;
        int32_t seconds, current, limit, method;
    };
    std::vector<Shown> shown;
    int waits = 0;
    int dismissed = 0;
    bool stopSeen = false; // the stop request was true when the wait returned
    bool succeed = false;  // the outcome of each countdown
    std::function<void()> whileShown;

  private:
    bool succeeded_ = false;
};

class RecordingActionQueue final : public ActionQueuePort {
  public:
    struct Request {
        uint8_t level;
        TDrive* drive;
        AlarmSettings alarm;
        int32_t limit;
    };
    void QueueAction(uint8_t level, TDrive& drive, const AlarmSettings& alarm,
                     int32_t limitTemp) override {
        requests.push_back({level, &drive, alarm, limitTemp});
    }
    std::vector<Request> requests;
};

} // namespace korvane::test

// Test doubles of the alarm executor's ports.
#include "executor_fakes.h"

#include <memory>

namespace korvane::test {

namespace {

class FakeProcess final : public StartedProcessPort {
  public:
    explicit FakeProcess(RecordingLauncher& owner) : owner_(owner) {}
    ~FakeProcess() override { ++owner_.released; }
    bool WaitForExit(uint32_t timeoutMs) override {
        owner_.waits.push_back(timeoutMs);
        return owner_.processEnds;
    }

  private:
    RecordingLauncher& owner_;
};

} // namespace

AppLauncherPort::Result RecordingLauncher::Open(const std::string& path) {
    opened.push_back(path);
    if (onOpen)
        onOpen();
    Result result;
    result.started = !fail;
    if (!fail && withProcess)
        result.process = std::make_unique<FakeProcess>(*this);
    ++returned;
    return result;
}

void FakeCountdown::ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                                  int32_t limitTemp, int32_t method) {
    succeeded_ = false;
    shown.push_back({heading, seconds, currentTemp, limitTemp, method});
}

void FakeCountdown::WaitUntilClosed(const std::function<bool()>& stopRequested) {
    ++waits;
    if (whileShown)
        whileShown();
    stopSeen = stopRequested && stopRequested();
    succeeded_ = succeed;
}

} // namespace korvane::test

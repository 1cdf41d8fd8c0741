// The sim build's power services: every power-off request is written to power.log and answered
// from the [Power] section of simulation.ini; the computer itself is never powered off.
#pragma once

#include "actions/shutdown.h"
#include "toolkit/clock.h"

#include <memory>
#include <string>

namespace korvane::sim {

inline constexpr const char* kPowerSection = "Power";
inline constexpr const char* kPowerLogName = "power.log";

class SimPowerPort final : public PowerPort {
  public:
    // `simulationIniPath` is read at each request (its [Power] keys Hibernate and Accept, both 1
    // when missing); the lines go to `powerLogPath`.
    SimPowerPort(std::string simulationIniPath, std::string powerLogPath, const ClockPort& clock);

    bool ResolveSuspendState() override;
    bool EnableShutdownPrivilege() override { return true; }
    bool RequestShutdown() override;
    bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvents) override;

  private:
    bool Setting(const char* key) const;
    // "[stamp] method accepted|refused"; the answer is returned.
    bool Answer(const char* method);

    std::string iniPath_;
    std::string logPath_;
    const ClockPort& clock_;
};

} // namespace korvane::sim

// Where the sim build's power services keep their files: beside its own .exe.
#include "actions/sim/sim_power_port.h"

#include "actions/sim/sim_power_port_win.h"
#include "toolkit/clock_win.h"
#include "toolkit/text.h"
#include "toolkit/win32.h"

namespace korvane::sim {

namespace {

// The port keeps the clock for its whole life.
class SimPowerPortWithClock final : public PowerPort {
  public:
    explicit SimPowerPortWithClock(const std::string& folder)
        : clock_(CreateWin32Clock()),
          port_(folder + "simulation.ini", folder + kPowerLogName, *clock_) {}
    bool ResolveSuspendState() override { return port_.ResolveSuspendState(); }
    bool EnableShutdownPrivilege() override { return port_.EnableShutdownPrivilege(); }
    bool RequestShutdown() override { return port_.RequestShutdown(); }
    bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvents) override {
        return port_.SetSuspendState(hibernate, forceCritical, disableWakeEvents);
    }

  private:
    std::unique_ptr<ClockPort> clock_;
    SimPowerPort port_;
};

} // namespace

std::unique_ptr<PowerPort> CreateSimPowerPortBesideProgram() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder = length > 0 && length < MAX_PATH ? FolderOf(path) : std::string();
    return std::make_unique<SimPowerPortWithClock>(folder);
}

} // namespace korvane::sim

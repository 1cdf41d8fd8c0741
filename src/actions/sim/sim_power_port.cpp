// SimPowerPort: power-off requests recorded in power.log and answered from simulation.ini.
#include "actions/sim/sim_power_port.h"

#include "drives/sim/sim_ini.h"
#include "log/log_format.h"
#include "toolkit/text.h"

#include <fstream>
#include <sstream>

namespace korvane::sim {

SimPowerPort::SimPowerPort(std::string simulationIniPath, std::string powerLogPath,
                           const ClockPort& clock)
    : iniPath_(std::move(simulationIniPath)), logPath_(std::move(powerLogPath)), clock_(clock) {}

bool SimPowerPort::Setting(const char* key) const {
    std::ifstream in(iniPath_, std::ios::binary);
    if (!in)
        return true;
    std::ostringstream text;
    text << in.rdbuf();
    const auto value = SimIni::Parse(text.str()).Value(kPowerSection, key);
    // Like a profile value: anything but a number other than 0 counts as 0.
    return !value || StrToInt(*value) != 0;
}

bool SimPowerPort::ResolveSuspendState() {
    return Setting("Hibernate");
}

bool SimPowerPort::RequestShutdown() {
    return Answer("shutdown");
}

bool SimPowerPort::SetSuspendState(bool, bool, bool) {
    return Answer("hibernate");
}

bool SimPowerPort::Answer(const char* method) {
    const bool accepted = Setting("Accept");
    std::ofstream out(logPath_, std::ios::binary | std::ios::app);
    out << "[" << FormatTimeStamp(clock_.Now()) << "] " << method << " "
        << (accepted ? "accepted" : "refused") << "\r\n";
    return accepted;
}

} // namespace korvane::sim

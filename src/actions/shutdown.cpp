// The power-off decisions: which method may run, and the steps each one takes.
#include "actions/shutdown.h"

#include <string>

namespace korvane {

bool HibernateAvailableOn(const OsVersionInfo& version, bool suspendStateFound) {
    const bool windows95 =
        version.platformId == kPlatformWin32Windows && version.major == 4 && version.minor == 0;
    return suspendStateFound && !windows95;
}

TSystemShutdown::TSystemShutdown(PowerPort& power, const OsVersionPort& os)
    : power_(power), os_(os) {
    suspendStateFound_ = power_.ResolveSuspendState();
    hibernateAvailable_ = HibernateAvailableOn(os_.Read(), suspendStateFound_);
}

bool TSystemShutdown::PowerOff(int32_t method) {
    switch (method) {
    case kPowerOffShutdown:
        return Shutdown();
    case kPowerOffHibernate:
        return Hibernate();
    default:
        return false;
    }
}

bool TSystemShutdown::Shutdown() {
    // Only the NT family guards shutdown with a privilege; the 9x family has no tokens.
    if (os_.Read().platformId == kPlatformWin32Nt && !power_.EnableShutdownPrivilege())
        return false;
    return power_.RequestShutdown();
}

bool TSystemShutdown::Hibernate() {
    if (!hibernateAvailable_ || !suspendStateFound_)
        return false;
    // Not forced: an application that vetoes the suspend keeps the machine running.
    return power_.SetSuspendState(true, false, false);
}

std::string EngineStateLine(const PowerOffEngine& engine) {
    return std::string("shutdown/hibernate engine initiated (hibernate ") +
           (engine.HibernateAvailable() ? "enabled" : "disabled") + ")";
}

} // namespace korvane

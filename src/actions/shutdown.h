// TSystemShutdown: powers the computer off by shutdown or hibernate, and decides once whether
// hibernate can be offered.
#pragma once

#include "toolkit/os_version.h"

#include <cstdint>
#include <string>

namespace korvane {

inline constexpr int32_t kPowerOffShutdown = 0;
inline constexpr int32_t kPowerOffHibernate = 1;

// The system's power services; the Win32 one is in shutdown_win.h, tests record instead.
class PowerPort {
  public:
    virtual ~PowerPort() = default;
    // Finds SetSuspendState of powrprof.dll (loading the library if needed, never unloading it).
    virtual bool ResolveSuspendState() = 0;
    // Enables SeShutdownPrivilege on the own process token; false when the user lacks it.
    virtual bool EnableShutdownPrivilege() = 0;
    // ExitWindowsEx(EWX_SHUTDOWN, 0): true when the shutdown has begun.
    virtual bool RequestShutdown() = 0;
    // SetSuspendState(hibernate, forceCritical, disableWakeEvents), only after a resolve.
    virtual bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvents) = 0;
};

// Windows 95 has no hibernate even with the library; elsewhere it depends only on the entry.
bool HibernateAvailableOn(const OsVersionInfo& version, bool suspendStateFound);

// What the countdown window needs of the engine.
class PowerOffEngine {
  public:
    virtual ~PowerOffEngine() = default;
    virtual bool HibernateAvailable() const = 0;
    // 0 shuts down, 1 hibernates; any other method does nothing. True when the power-off began.
    virtual bool PowerOff(int32_t method) = 0;
};

class TSystemShutdown final : public PowerOffEngine {
  public:
    TSystemShutdown(PowerPort& power, const OsVersionPort& os);
    TSystemShutdown(const TSystemShutdown&) = delete;
    TSystemShutdown& operator=(const TSystemShutdown&) = delete;

    bool HibernateAvailable() const override { return hibernateAvailable_; }
    bool PowerOff(int32_t method) override;

  private:
    bool Shutdown();
    bool Hibernate();

    PowerPort& power_;
    const OsVersionPort& os_;
    bool hibernateAvailable_ = false;
    bool suspendStateFound_ = false;
};

// The start-up line of the debug log for an engine.
std::string EngineStateLine(const PowerOffEngine& engine);

} // namespace korvane

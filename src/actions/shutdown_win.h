// The Win32 power services: shutdown privilege, ExitWindowsEx, and SetSuspendState of powrprof.dll
// loaded at run time from the system folder.
#pragma once

#include "actions/shutdown.h"
#include "toolkit/win32.h"

namespace korvane {

class Win32PowerPort final : public PowerPort {
  public:
    bool ResolveSuspendState() override;
    bool EnableShutdownPrivilege() override;
    bool RequestShutdown() override;
    bool SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvents) override;

  private:
    using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    SetSuspendStateFn setSuspendState_ = nullptr;
};

} // namespace korvane

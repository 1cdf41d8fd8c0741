// The Win32 power port: the system calls behind the power-off engine.
#include "actions/shutdown_win.h"

#include "toolkit/handles_win.h"
#include "toolkit/system_library_win.h"
#include "toolkit/win32.h"

namespace korvane {
namespace {

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

bool Win32PowerPort::ResolveSuspendState() {
    // The library stays loaded until the process ends: the entry point is kept for its lifetime.
    // Only the system's copy: one planted beside the program would run with the program's rights.
    // A copy already loaded is the same module, so a second load only counts it once more.
    const HMODULE library = LoadSystemLibrary("powrprof.dll");
    if (!library)
        return false;
    setSuspendState_ = reinterpret_cast<SetSuspendStateFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "SetSuspendState")));
    return setSuspendState_ != nullptr;
}

bool Win32PowerPort::EnableShutdownPrivilege() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw))
        return false;
    ScopedKernelHandle token(raw);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Without the identifier the adjustment would enable whatever the zeroed LUID names.
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    SetLastError(ERROR_SUCCESS);
    // AdjustTokenPrivileges succeeds even when the user lacks the privilege; only the last error
    // (ERROR_NOT_ALL_ASSIGNED) tells.
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    return GetLastError() == ERROR_SUCCESS;
}

bool Win32PowerPort::RequestShutdown() {
    return ExitWindowsEx(EWX_SHUTDOWN, 0) != FALSE;
}

bool Win32PowerPort::SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvents) {
    if (!setSuspendState_)
        return false;
    return setSuspendState_(hibernate, forceCritical, disableWakeEvents) != FALSE;
}

} // namespace

std::unique_ptr<PowerPort> CreateWin32Power() {
    return std::make_unique<Win32PowerPort>();
}

} // namespace korvane

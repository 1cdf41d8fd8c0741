// The shell's extended execute as the alarm worker's application launcher.
#include "actions/action_launcher_win.h"

#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <shellapi.h>

namespace korvane {

namespace {

class Win32StartedProcess final : public StartedProcessPort {
  public:
    explicit Win32StartedProcess(HANDLE process) { process_.Reset(process); }
    bool WaitForExit(uint32_t timeoutMs) override {
        return WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
    }

  private:
    ScopedKernelHandle process_;
};

class Win32AppLauncher final : public AppLauncherPort {
  public:
    Result Open(const std::string& path) override;
};

AppLauncherPort::Result Win32AppLauncher::Open(const std::string& path) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    // No error box from the shell: it would hold every later step and record (a power-off
    // among them) until someone answers it; the failure is logged instead.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = path.c_str(); // the whole text is the file: nothing is split off as arguments
    info.nShow = SW_SHOWNORMAL;
    Result result;
    result.started = ShellExecuteExA(&info) != FALSE;
    if (result.started && info.hProcess)
        result.process = std::make_unique<Win32StartedProcess>(info.hProcess);
    return result;
}

} // namespace

std::unique_ptr<AppLauncherPort> CreateWin32AppLauncher() {
    return std::make_unique<Win32AppLauncher>();
}

} // namespace korvane

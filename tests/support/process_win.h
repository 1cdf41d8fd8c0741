// Programs that tests start under Wine: a process owned by the test, killed if it outlives it.
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <string>

namespace korvane::test {

// A started program, killed if still running when the object goes.
class Process {
  public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();
    // Starts the program as a user does, from its own folder.
    bool Start(const std::string& exe);
    // Starts a command line, its program found as CreateProcess finds it, in `folder` (the test's
    // own current folder when empty); false, with GetLastError's reason, when nothing started.
    bool StartCommand(const std::string& commandLine, const std::string& folder = {},
                      DWORD flags = 0);
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    bool Running() const;
    DWORD ExitCode() const;
    // True when the process ended within the timeout.
    bool WaitExit(DWORD timeoutMs) const;
    // Ends it with `code` and waits up to the timeout for it to be gone.
    void Kill(UINT code, DWORD timeoutMs = 5000);

  private:
    bool Create(const char* exe, std::string commandLine, const char* folder, DWORD flags);

    ScopedKernelHandle process_;
    ScopedKernelHandle thread_;
    DWORD id_ = 0;
};

} // namespace korvane::test

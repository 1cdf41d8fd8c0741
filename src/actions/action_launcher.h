// The port through which the alarm worker starts the user's application and waits for it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace korvane {

// A process started by the shell; releasing the object releases its handle.
class StartedProcessPort {
  public:
    virtual ~StartedProcessPort() = default;
    // True when the process has ended within `timeoutMs`.
    virtual bool WaitForExit(uint32_t timeoutMs) = 0;
};

class AppLauncherPort {
  public:
    virtual ~AppLauncherPort() = default;
    struct Result {
        bool started = false;
        std::unique_ptr<StartedProcessPort> process; // may be empty even when started
    };
    // Opens `path` as one file name with the shell's "open", shown normally.
    virtual Result Open(const std::string& path) = 0;
};

} // namespace korvane

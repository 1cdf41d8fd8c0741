// The shell-execution port: opening documents and starting programs (the tray menu's commands, the
// about window's links).
#pragma once

#include <string>

namespace korvane {

class ShellPort {
  public:
    virtual ~ShellPort() = default;
    // The shell's "open" of `file` with `parameters`, no owner window and no working folder;
    // hidden or shown normally. Failures are not reported: no caller looks at them.
    virtual void Open(const std::string& file, const std::string& parameters, bool hidden) = 0;
};

} // namespace korvane

// The shell-execution port over ShellExecuteA.
#pragma once

#include "toolkit/shell_port.h"

namespace korvane {

class Win32Shell final : public ShellPort {
  public:
    void Open(const std::string& file, const std::string& parameters, bool hidden) override;
};

} // namespace korvane

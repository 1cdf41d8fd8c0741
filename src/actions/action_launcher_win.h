// The shell's extended execute as the alarm worker's application launcher.
#pragma once

#include "actions/action_launcher.h"

namespace korvane {

class Win32AppLauncher final : public AppLauncherPort {
  public:
    Result Open(const std::string& path) override;
};

} // namespace korvane

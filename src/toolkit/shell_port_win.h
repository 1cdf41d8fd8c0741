// The shell-execution port over ShellExecuteA.
#pragma once

#include "toolkit/shell_port.h"

#include <memory>

namespace korvane {

std::unique_ptr<ShellPort> CreateWin32Shell();

} // namespace korvane

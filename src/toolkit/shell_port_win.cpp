// The shell-execution port over ShellExecuteA.
#include "toolkit/shell_port_win.h"

#include "toolkit/win32.h"

#include <shellapi.h>

namespace korvane {

void Win32Shell::Open(const std::string& file, const std::string& parameters, bool hidden) {
    ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), "",
                  hidden ? SW_HIDE : SW_SHOWNORMAL);
}

} // namespace korvane

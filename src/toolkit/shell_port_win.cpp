// The shell-execution port over ShellExecuteA.
#include "toolkit/shell_port_win.h"

#include "toolkit/win32.h"

#include <shellapi.h>

namespace korvane {
namespace {

class Win32Shell final : public ShellPort {
  public:
    void Open(const std::string& file, const std::string& parameters, bool hidden) override {
        ShellExecuteA(nullptr, "open", file.c_str(), parameters.c_str(), "",
                      hidden ? SW_HIDE : SW_SHOWNORMAL);
    }
};

} // namespace

std::unique_ptr<ShellPort> CreateWin32Shell() {
    return std::make_unique<Win32Shell>();
}

} // namespace korvane

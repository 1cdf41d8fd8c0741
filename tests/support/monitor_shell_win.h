// Windows-side helpers for the tray tests of the drive monitor: what the shell knows of an icon,
// balloon requests sent for real and recorded, and the balloon windows on the desktop.
#pragma once

#include "actions/tray_shell_win.h"

#include <string>
#include <vector>

namespace korvane::test {

// Whether the shell has the icon: a modify of an unknown icon is refused.
bool ShellHasIcon(const TrayIconIdentity& icon);

// Sends every balloon request to the real shell and records it with the shell's answer.
class RecordingWin32Shell final : public TrayShellPort {
  public:
    explicit RecordingWin32Shell(HWND owner) : inner_(CreateWin32TrayShell(owner)) {}
    void ModifyBalloon(const BalloonRequest& request) override;
    int32_t ShowMessageBox(const std::string& text, const std::string& caption,
                           uint32_t style) override {
        return inner_->ShowMessageBox(text, caption, style);
    }
    std::vector<BalloonRequest> sent;
    std::vector<bool> accepted;

  private:
    std::unique_ptr<TrayShellPort> inner_;
};

// The visible balloon (tooltip) windows on the desktop, whoever shows them.
int VisibleBalloonWindows();

} // namespace korvane::test

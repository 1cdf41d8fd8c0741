// When a tray icon talks to the shell and with which request: the rules shared by the platform
// tray icon and its test double.
#pragma once

#include "toolkit/icon_handle.h"

#include <cstddef>
#include <functional>
#include <string>

namespace korvane {

enum class ShellRequest { Add, Modify, Delete };

// The first-version tray record holds 64 bytes of tooltip: 63 characters and the terminating zero.
inline constexpr size_t kTrayTooltipMax = 63;
std::string TrayTooltipField(const std::string& text);

class TrayIconState {
  public:
    // `send` passes one request to the shell; the record is filled from this object's state.
    explicit TrayIconState(std::function<void(ShellRequest)> send);

    // When the flag changes and an icon and the owner window exist: Add or Delete.
    void SetActive(bool active);
    bool Active() const { return active_; }

    // A changed icon is stored; an active icon sends Modify (Add when it had no icon before). The
    // one it replaces is destroyed after that, once the shell shows the new one.
    void SetIcon(OwnedIcon icon);
    IconHandle Icon() const { return icon_.Get(); }

    // A changed text is stored; an active icon sends Modify.
    void SetTooltip(const std::string& text);
    const std::string& Tooltip() const { return tooltip_; }

    // The shell restarted: an active icon is added again with its current icon and tooltip.
    void ReAdd();

    // The message loop has ended: from now on every shell request is a Delete.
    void SetLoopEnded();
    // The owner window is being destroyed: an active icon is removed; no request follows.
    void OwnerDestroyed();

  private:
    void Send(ShellRequest request);

    std::function<void(ShellRequest)> send_;
    bool active_ = false;
    OwnedIcon icon_; // the last member: an active icon leaves the tray before it goes
    std::string tooltip_;
    bool loopEnded_ = false;
    bool ownerGone_ = false;
};

} // namespace korvane

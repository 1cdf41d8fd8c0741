// When a tray icon talks to the shell and with which request.
#include "toolkit/tray_icon_state.h"

#include <utility>

namespace korvane {

std::string TrayTooltipField(const std::string& text) {
    return text.substr(0, kTrayTooltipMax);
}

TrayIconState::TrayIconState(std::function<void(ShellRequest)> send) : send_(std::move(send)) {}

void TrayIconState::Send(ShellRequest request) {
    if (ownerGone_)
        return;
    send_(loopEnded_ ? ShellRequest::Delete : request);
}

void TrayIconState::SetActive(bool active) {
    if (active == active_)
        return;
    active_ = active;
    if (icon_.Valid())
        Send(active ? ShellRequest::Add : ShellRequest::Delete);
}

void TrayIconState::SetIcon(OwnedIcon icon) {
    if (icon.Get() == icon_.Get()) {
        // Already held here: a second owner of the same handle must not destroy it.
        icon.Release();
        return;
    }
    const bool hadIcon = icon_.Valid();
    const OwnedIcon replaced = std::exchange(icon_, std::move(icon));
    if (!active_)
        return;
    if (!icon_) {
        // The shell cannot show an icon without a picture; take it away until one comes.
        Send(ShellRequest::Delete);
    } else {
        Send(hadIcon ? ShellRequest::Modify : ShellRequest::Add);
    }
}

void TrayIconState::SetTooltip(const std::string& text) {
    if (text == tooltip_)
        return;
    tooltip_ = text;
    if (active_ && icon_.Valid())
        Send(ShellRequest::Modify);
}

void TrayIconState::ReAdd() {
    if (!active_)
        return;
    active_ = false;
    SetActive(true);
}

void TrayIconState::SetLoopEnded() {
    loopEnded_ = true;
}

void TrayIconState::OwnerDestroyed() {
    if (active_ && icon_.Valid())
        Send(ShellRequest::Delete);
    ownerGone_ = true;
}

} // namespace korvane

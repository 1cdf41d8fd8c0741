// When a tray icon talks to the shell and with which request.
#include "toolkit/tray_icon_state.h"

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
    if (icon_ != kNoIcon)
        Send(active ? ShellRequest::Add : ShellRequest::Delete);
}

void TrayIconState::SetIcon(IconHandle icon) {
    if (icon == icon_)
        return;
    const bool hadIcon = icon_ != kNoIcon;
    icon_ = icon;
    if (!active_)
        return;
    if (icon == kNoIcon) {
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
    if (active_ && icon_ != kNoIcon)
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
    if (active_ && icon_ != kNoIcon)
        Send(ShellRequest::Delete);
    ownerGone_ = true;
}

} // namespace korvane

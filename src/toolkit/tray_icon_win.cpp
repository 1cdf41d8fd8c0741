// A tray icon of the application window.
#include "toolkit/tray_icon_win.h"

#include <cstring>

namespace korvane {

static_assert(kTrayLeftButtonUp == WM_LBUTTONUP && kTrayLeftDoubleClick == WM_LBUTTONDBLCLK &&
              kTrayRightButtonUp == WM_RBUTTONUP);

TrayIcon::TrayIcon(HWND owner, UINT id, OwnedIcon icon, ShellNotifier notifier)
    : owner_(owner), id_(id), notifier_(std::move(notifier)),
      state_([this](ShellRequest request) { Send(request); }) {
    state_.SetIcon(std::move(icon));
}

TrayIcon::~TrayIcon() {
    // Leaving the tray is the only call still allowed at this point.
    state_.SetLoopEnded();
    state_.SetActive(false);
}

TrayIconIdentity TrayIcon::Identity() const {
    return {reinterpret_cast<uintptr_t>(owner_), static_cast<uint32_t>(id_)};
}

void TrayIcon::HandleCallback(uint32_t mouseMessage) {
    if (OnMouse)
        OnMouse(mouseMessage);
}

void TrayIcon::Send(ShellRequest request) {
    if (!owner_)
        return;
    NOTIFYICONDATAA data;
    std::memset(&data, 0, sizeof(data));
    data.cbSize = kTrayRecordSize;
    data.hWnd = owner_;
    data.uID = id_;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = ToHicon(state_.Icon());
    const std::string tip = TrayTooltipField(state_.Tooltip());
    std::memcpy(data.szTip, tip.c_str(), tip.size() + 1);
    const DWORD message = request == ShellRequest::Add      ? NIM_ADD
                          : request == ShellRequest::Modify ? NIM_MODIFY
                                                            : NIM_DELETE;
    notifier_(message, data);
}

} // namespace korvane

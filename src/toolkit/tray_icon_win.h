// A tray icon of the application window: first-version NOTIFYICONDATA records to the shell.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/tray_icon.h"
#include "toolkit/tray_icon_state.h"
#include "toolkit/win32.h"

#include <shellapi.h>

#include <utility>

namespace korvane {

// The first-version record: 88 bytes in a 32-bit build, 104 in a 64-bit one. Newer shells accept
// it everywhere and older ones accept nothing else.
inline constexpr DWORD kTrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(kTrayRecordSize == (sizeof(void*) == 8 ? 104 : 88));

class TrayIcon final : public TrayIconPort {
  public:
    // Created by AppWindow::CreateTrayIcon; inactive, owns `icon`.
    TrayIcon(HWND owner, UINT id, OwnedIcon icon, ShellNotifier notifier);
    ~TrayIcon() override;

    void SetActive(bool active) override { state_.SetActive(active); }
    bool Active() const override { return state_.Active(); }
    void SetIcon(OwnedIcon icon) override { state_.SetIcon(std::move(icon)); }
    IconHandle Icon() const override { return state_.Icon(); }
    void SetTooltip(const std::string& text) override { state_.SetTooltip(text); }
    std::string Tooltip() const override { return state_.Tooltip(); }
    void SetTag(int32_t tag) override { tag_ = tag; }
    int32_t Tag() const override { return tag_; }
    TrayIconIdentity Identity() const override;

    UINT Id() const { return id_; }
    HWND Owner() const { return owner_; }

    // Called by the application window.
    void HandleCallback(uint32_t mouseMessage);
    void ReAdd() { state_.ReAdd(); }
    void LoopEnded() { state_.SetLoopEnded(); }
    void OwnerDestroyed() { state_.OwnerDestroyed(); }

  private:
    void Send(ShellRequest request);

    HWND owner_;
    UINT id_;
    ShellNotifier notifier_;
    TrayIconState state_;
    int32_t tag_ = 0;
};

} // namespace korvane

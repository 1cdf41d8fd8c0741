// The application object: owner of every long-lived object, and the application-wide services
// (exit, message filter, task-bar entry, working-set trim).
#pragma once

#include "app/app_services.h"
#include "toolkit/app_window_win.h"
#include "toolkit/icon_handle.h"
#include "toolkit/popup_menu.h"
#include "toolkit/sound_player.h"
#include "toolkit/toolkit_win.h"
#include "toolkit/tray_icon.h"
#include "toolkit/win32.h"

#include <functional>
#include <memory>
#include <string>

namespace korvane {

inline constexpr const char* kMainTrayTooltip = "Korvane 1.0 (build: 51)";

class TApplication final : public IAppServices {
  public:
    // The start-up sequence. It builds the application window, the main tray icon and the tray
    // menu; the objects of the other subsystems join it as they are built.
    TApplication();
    // The shut-down sequence.
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Fields in the order of their meaning to the program (see the start-up sequence).
    IconHandle TrayIconHandle = kNoIcon; // "ZTRAYICON", shared by the system
    ITrayIcon* MainTrayIcon = nullptr;   // owned by the application window
    IPopupMenu* TrayMenu = nullptr;      // owned by the application window
    std::unique_ptr<ISoundPlayer> SoundPlayer;
    std::string DataPath;    // with a trailing "\"
    std::string ProgramPath; // with a trailing "\"

    // The settings window tells through this whether it is visible and with which caption.
    std::function<bool(std::string& caption)> SettingsWindowShown;

    AppWindow& Window() { return *window_; }
    IToolkit& Toolkit() { return *toolkit_; }

    // Runs the message loop until it ends; the application window is freed then.
    void Run();

    void ExitApplication() override;
    void SyncTaskbarButton() override;
    void TrimWorkingSet() override;
    // The application window's message filter; true when the message is handled.
    bool FilterAppMessage(MSG& msg);

    void OnMainIconMouse(uint32_t message);
    void OnMenuCommand(IPopupMenu& menu, int index);

  private:
    std::unique_ptr<AppWindow> window_;
    std::unique_ptr<Win32Toolkit> toolkit_;
};

// The one application object while it exists.
extern TApplication* Application;

} // namespace korvane

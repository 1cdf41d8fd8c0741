// The application object: owner of every long-lived object, its start-up and shut-down
// sequences, and the application-wide services (exit, message filter, task-bar entry,
// working-set trim).
#pragma once

#include "actions/action_launcher_win.h"
#include "actions/executor.h"
#include "actions/power_off_countdown.h"
#include "actions/shutdown.h"
#include "actions/shutdown_win.h"
#include "actions/tray_messages.h"
#include "actions/tray_shell_win.h"
#include "app/alarm_dispatch.h"
#include "app/event_log.h"
#include "app/event_reporter.h"
#include "app/metrics_writer.h"
#include "app/tray_commands.h"
#include "drives/device_io.h"
#include "drives/drives.h"
#include "drives/indicator_icons.h"
#include "log/logger.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "settings/registry.h"
#include "toolkit/app_services.h"
#include "toolkit/app_window_win.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"
#include "toolkit/icon_handle.h"
#include "toolkit/os_version.h"
#include "toolkit/os_version_win.h"
#include "toolkit/popup_menu.h"
#include "toolkit/product.h"
#include "toolkit/shell_port_win.h"
#include "toolkit/sound_player.h"
#include "toolkit/taskbar_win.h"
#include "toolkit/toolkit_win.h"
#include "toolkit/tray_icon.h"
#include "toolkit/win32.h"
#include "ui/about_form_win.h"
#include "ui/graph_window_win.h"
#include "ui/hibernate_form_win.h"
#include "ui/options_form_win.h"

#include <functional>
#include <memory>
#include <string>

namespace korvane {

inline constexpr const char* kNoTemperatureText =
    "None of your hard disks supports temperature measurement!";
inline constexpr const char* kProductCaption = kProductName;

class TApplication final : public AppServicesPort {
  public:
    // The start-up sequence. `device` is the S.M.A.R.T. device access the disks are probed and
    // polled through: the real drivers, or the simulated one of the sim build. `power` is what
    // the power-off engine powers the computer off through: the system's own when null, the
    // recording one of the sim build.
    explicit TApplication(std::unique_ptr<DeviceIoPort> device,
                          std::unique_ptr<PowerPort> power = nullptr);
    // The shut-down sequence, unless ShutDown has run it already.
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Fields in the order of their meaning to the program (see the start-up sequence).
    IconHandle TrayIconHandle = kNoIcon;  // "ZTRAYICON", shared by the system
    TrayIconPort* MainTrayIcon = nullptr; // owned by the application window
    PopupMenuPort* TrayMenu = nullptr;    // owned by the application window
    std::unique_ptr<TDrives> Drives;
    std::unique_ptr<TOptions> Options;
    std::unique_ptr<TSystemShutdown> Shutdown;
    std::unique_ptr<SoundPlayerPort> SoundPlayer;
    std::unique_ptr<TActionExecutor> Executor;
    std::unique_ptr<TLogger> Logger;
    std::string DataPath;    // with a trailing "\"
    std::string ProgramPath; // with a trailing "\"
    std::unique_ptr<TTrayMessages> TrayMessages;

    // The settings window tells through this whether it is visible and with which caption.
    std::function<bool(std::string& caption)> SettingsWindowShown;

    AppWindow& Window() { return *window_; }
    ToolkitPort& Toolkit() { return *toolkit_; }

    // Runs the message loop until it ends; the application window is freed with the object.
    void Run();

    // The shut-down sequence: runs once, later calls do nothing. Nothing escapes it.
    void ShutDown() noexcept;

    void ExitApplication() override;
    void SyncTaskbarButton() override;
    void TrimWorkingSet() override;
    // The application window's message filter; true when the message is handled.
    bool FilterAppMessage(MSG& msg);

    // The tray menus and icons.
    void RefreshMenuCaptions();
    void UpdateMainIcon();
    void RefreshLogMenu(PopupMenuPort& menu, int logEntry);
    void OnMenuCommand(PopupMenuPort& menu, int index);
    void OnMainIconMouse(uint32_t message);
    void OnDriveTrayMouse(TDrive& drive, uint32_t message);
    void OnDriveIconChange(TDrives& sender, TDrive& drive, bool shown);
    // The taskbar's icon size, theme or contrast changed: every indicator is drawn again.
    void OnTaskbarChange(const TaskbarLook& look);
    // The disk pages' sound preview: true when playing the file started.
    bool PreviewSound(const std::string& path);

    // The alarm dispatch: the change line, and an alarm request on a rise to warning or critical.
    void OnDriveStatusChange(TDrives& sender, TDrive& drive, TTempStatus oldStatus,
                             TTempStatus newStatus);
    void QueueDriveAlarm(TDrive& drive, TTempStatus status);

  private:
    void Log(const std::string& message);
    PopupMenuPort* CreateDiskMenu();
    // The settings window at the page of the disk at this position of the drive list.
    void ShowDiskSettings(int32_t position);
    // The graph window with the disk at this position selected, -1 for all disks.
    void ShowGraph(int32_t position);
    // The right click on any of the program's tray icons: the menu at the cursor.
    void PopupTrayMenu(PopupMenuPort& menu);
    void StartUp();
    // After every disk's poll: the working-set trim, and the hottest disk on the main icon.
    void AfterDrivePoll();
    // ShowMainIcon 3: the hottest monitored disk's icon and every disk in the tooltip; the
    // program's own icon again while no disk has a temperature or with another setting.
    void ShowHottestDisk();
    void ShowOwnMainIcon();
    // Windows 11 puts new tray icons out of sight: one balloon, at the first start, says how to
    // keep ours. Stored as shown once the shell has it.
    void ShowPinHintOnce();

    // The platform services the long-lived objects are built on; they outlive them all.
    std::unique_ptr<FileSystemPort> files_;
    std::unique_ptr<ClockPort> clock_;
    std::unique_ptr<ProfilePort> profile_;
    std::unique_ptr<RegistryPort> registry_;
    std::unique_ptr<DeviceIoPort> device_;
    std::unique_ptr<TaskbarPort> taskbar_;
    std::unique_ptr<TaskbarWatch> taskbarWatch_;
    std::unique_ptr<IndicatorIconPort> indicatorIcons_;
    std::unique_ptr<OsVersionPort> osVersion_ = CreateWin32OsVersion();
    std::unique_ptr<ShellPort> shell_ = CreateWin32Shell();
    std::unique_ptr<TrayShellPort> trayShell_;
    std::unique_ptr<TrayCommands> commands_;
    std::unique_ptr<DriveDeps> driveDeps_;
    std::shared_ptr<AppLauncherPort> appLauncher_ = CreateWin32AppLauncher();
    std::unique_ptr<AlarmDispatch> alarmDispatch_;
    std::unique_ptr<PowerPort> powerPort_;
    // What the collectors read: the event log and the metrics file.
    std::unique_ptr<EventLogPort> eventLog_;
    std::unique_ptr<EventReporter> events_;
    std::unique_ptr<MetricsWriter> metrics_;
    // The windows, created once at start-up and only shown and hidden until exit.
    std::unique_ptr<TOptionsForm> optionsForm_;
    std::unique_ptr<THibernateForm> hibernateForm_;
    std::unique_ptr<TAboutForm> aboutForm_;
    std::unique_ptr<GraphWindow> graphWindow_;

    std::unique_ptr<AppWindow> window_;
    std::unique_ptr<ToolkitPort> toolkit_;
    bool shutDown_ = false;
    int32_t mainIconRule_ = -1;         // ShowMainIcon as UpdateMainIcon last read it
    bool mainIconShowsDisk_ = false;    // the main icon holds a copy of a disk's icon
    IconHandle mainIconFrom_ = kNoIcon; // the disk icon it is a copy of
};

// The one application object while it exists.
extern TApplication* Application;
// The settings window while it exists.
extern TOptionsForm* OptionsForm;
// The countdown window while it exists; until then status changes are not dispatched.
extern PowerOffCountdownPort* HibernateForm;
// The about window while it exists.
extern TAboutForm* AboutForm;

} // namespace korvane

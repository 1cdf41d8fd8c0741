// The application object: start-up and shut-down sequences, application-wide services, and the
// handling of the program's tray icons and menus.
#include "app/application_win.h"

#include "app/event_log_win.h"
#include "app/hottest_disk.h"
#include "app/sound_preview.h"
#include "app/tray_menu.h"
#include "drives/indicator_icons_win.h"
#include "settings/folders.h"
#include "settings/keys.h"
#include "settings/location/data_folder.h"
#include "settings/location/shell_folder_win.h"
#include "settings/profile_win.h"
#include "settings/registry_win.h"
#include "toolkit/clock_win.h"
#include "toolkit/failure_report.h"
#include "toolkit/files_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/module_win.h"
#include "toolkit/text.h"

#include <chrono>
#include <ctime>

namespace korvane {

TApplication* Application = nullptr;
TOptionsForm* OptionsForm = nullptr;
PowerOffCountdownPort* HibernateForm = nullptr;
TAboutForm* AboutForm = nullptr;

namespace {

constexpr const char* kStartInitialization =
    "-- START INITIALIZATION -----------------------------------------";
constexpr const char* kInitializationFinished =
    "-- INITIALIZATION FINISHED --------------------------------------";
constexpr const char* kStartFinalization =
    "-- START FINALIZATION -------------------------------------------";
constexpr const char* kFinalizationFinished =
    "-- FINALIZATION FINISHED ----------------------------------------";

} // namespace

TApplication::TApplication(std::unique_ptr<DeviceIoPort> device, std::unique_ptr<PowerPort> power)
    : powerPort_(power ? std::move(power) : CreateWin32Power()) {
    // The one application object until its destructor has run; then the platform services every
    // object of the start-up is built on, and the start-up itself.
    Application = this;
    files_ = CreateWin32FileSystem();
    clock_ = CreateWin32Clock();
    profile_ = CreateWin32Profile();
    registry_ = CreateWin32Registry();
    device_ = std::move(device);
    // Indicators are drawn for the taskbar as the watch last found it.
    taskbar_ = CreateWin32Taskbar();
    taskbarWatch_ = std::make_unique<TaskbarWatch>(*taskbar_);
    indicatorIcons_ = CreateWin32IndicatorIcon(
        [this] { return taskbarWatch_ ? taskbarWatch_->Look() : TaskbarLook{}; });
    StartUp();
}

void TApplication::StartUp() {
    ProgramPath = WithTrailingBackslash(FolderOf(ModulePath()));
    DataPath = DataFilesFolder(*CreateWin32SpecialFolder());
    CreateLogsFolder(*files_, DataPath); // creates DataPath too; a failure shows in the logs
    Options = std::make_unique<TOptions>(
        OptionsDeps{*profile_, *registry_, *files_, ModulePath(), ProgramPath},
        DataPath + kSettingsFileName);
    Logger = std::make_unique<TLogger>(*files_, *clock_, *Options, DataPath);
    // A handler's exception stopped at a window or Enter boundary leaves its trace here.
    SetFailureReport([this](const std::string& line) {
        if (Logger)
            Logger->Log(kDebugLog, "", line, kError);
    });
    Log(kStartedLinePrefix + DataPath + ")");
    Log(kStartInitialization);
    eventLog_ = CreateWin32EventLog();
    events_ = std::make_unique<EventReporter>(*eventLog_, *Options);
    events_->ProgramStarted();

    // The hidden application window comes before the objects that need it: the notifications'
    // message boxes, the sound player's notifications and every timer belong to it.
    AppWindowArgs args;
    window_ = std::make_unique<AppWindow>(args);
    window_->MessageFilter = [this](MSG& msg) { return FilterAppMessage(msg); };
    // Keyboard navigation of every form: Tab, Shift+Tab and Enter for the default button.
    window_->AddMessageHook([](MSG& msg) { return forms::HandleFormNavigation(msg); });
    toolkit_ = CreateWin32Toolkit(*window_);

    trayShell_ = CreateWin32TrayShell(window_->Handle());
    TrayMessages = std::make_unique<TTrayMessages>(*trayShell_, *osVersion_);
    Shutdown = std::make_unique<TSystemShutdown>(*powerPort_, *osVersion_);
    Log(EngineStateLine(*Shutdown));
    SoundPlayer = toolkit_->CreateSoundPlayer();
    // Its worker starts now; it needs the window for its synchronous calls.
    Executor = std::make_unique<TActionExecutor>(ExecutorDeps{
        .toolkit = *toolkit_,
        .trayMessages = *TrayMessages,
        .logger = *Logger,
        .files = *files_,
        .launcher = appLauncher_,
        .countdown = [] { return HibernateForm; },
        .sleep = nullptr,
        .idle = nullptr,
    });
    Executor->OnStepFailed = [this](const TActionRec& rec, AlarmStep step) {
        events_->AlarmStepFailed(
            rec, step == AlarmStep::Sound ? event::kSoundFailed : event::kApplicationFailed,
            step == AlarmStep::Sound ? rec.SoundFile : rec.AppPath);
    };
    Executor->OnCountdownShown = [this](const TActionRec& rec) { events_->CountdownStarted(rec); };

    HINSTANCE instance = GetModuleHandleA(nullptr);
    TrayIconHandle = FromHicon(LoadIconA(instance, "ZTRAYICON"));

    // The tray icon owns what it is given; the loaded one is shared and stays the application's.
    MainTrayIcon = toolkit_->CreateTrayIcon(OwnIcon(CopyIcon(ToHicon(TrayIconHandle))));
    MainTrayIcon->SetTooltip(kMainTrayTooltip);
    MainTrayIcon->OnMouse = [this](uint32_t message) { OnMainIconMouse(message); };

    commands_ = std::make_unique<TrayCommands>(*shell_, *files_, ProgramPath, DataPath);
    commands_->OnExit = [this] { ExitApplication(); };
    TrayMenu = toolkit_->CreatePopupMenu(MainMenuTemplate());
    TagMainMenu(*TrayMenu);
    TrayMenu->OnItem = [this](PopupMenuPort& menu, int index) { OnMenuCommand(menu, index); };
    Log("SysTray menu created");

    Log("searching for hard disks");
    driveDeps_ = std::make_unique<DriveDeps>(DriveDeps{
        .options = *Options,
        .logger = *Logger,
        .toolkit = *toolkit_,
        .icons = *indicatorIcons_,
        .trimWorkingSet = [this] { AfterDrivePoll(); },
        .device = *device_,
        .osVersion = *osVersion_,
        .createMenu = [this] { return CreateDiskMenu(); },
        .applyMenuCaptions = [](PopupMenuPort& menu) { ApplyDiskMenuCaptions(menu); },
        .hideBalloon = [this](TrayIconPort& icon) { TrayMessages->HideBalloon(icon); },
    });
    // Probes the disks and polls each once, before any event below is connected.
    Drives = std::make_unique<TDrives>(*driveDeps_);
    events_->DisksFound(*Drives);
    metrics_ = std::make_unique<MetricsWriter>(MetricsWriterDeps{
        .files = *files_,
        .options = *Options,
        .logger = *Logger,
        .toolkit = *toolkit_,
        .nowMs =
            [] {
                return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now().time_since_epoch())
                                                .count());
            },
        .unixNow = [] { return static_cast<int64_t>(std::time(nullptr)); },
    });
    Drives->OnDrivePolled = [this](TDrives& sender, TDrive& drive) {
        events_->DrivePolled(drive);
        metrics_->DrivePolled(sender, drive);
    };
    alarmDispatch_ = std::make_unique<AlarmDispatch>(*Logger, *Executor,
                                                     [] { return HibernateForm != nullptr; });
    Drives->OnStatusChange = [this](TDrives& sender, TDrive& drive, TTempStatus oldStatus,
                                    TTempStatus newStatus) {
        OnDriveStatusChange(sender, drive, oldStatus, newStatus);
    };
    Drives->OnIconChange = [this](TDrives& sender, TDrive& drive, bool shown) {
        OnDriveIconChange(sender, drive, shown);
    };
    Drives->OnTrayMouse = [this](TDrives&, TDrive& drive, uint32_t message) {
        OnDriveTrayMouse(drive, message);
    };

    // The windows. The countdown window's existence also opens the alarm dispatch.
    optionsForm_ = std::make_unique<TOptionsForm>(OptionsFormDeps{
        .options = *Options,
        .registry = *registry_,
        .drives = *Drives,
        .app = *this,
        .updateMainIcon = [this] { UpdateMainIcon(); },
        .playTestSound = [this](const std::string& path) { return PreviewSound(path); },
        .showGraph = [this](int32_t position) { ShowGraph(position); },
        .hibernateAvailable = Shutdown->HibernateAvailable(),
        .programPath = ModulePath(),
        .programFolder = ProgramPath,
        .owner = window_->Handle(),
        .resources = instance,
    });
    OptionsForm = optionsForm_.get();
    SettingsWindowShown = [this](std::string& caption) {
        if (!optionsForm_ || !optionsForm_->IsVisible())
            return false;
        caption = optionsForm_->Caption();
        return true;
    };
    hibernateForm_ = std::make_unique<THibernateForm>(
        CountdownDeps{*toolkit_, *Shutdown, *Logger, *Options, *this,
                      [this] {
                          if (Drives)
                              Drives->ResetBeforeHibernate();
                      }},
        *window_, instance);
    HibernateForm = hibernateForm_.get();
    HibernateCountdown& countdown = hibernateForm_->Logic();
    countdown.OnCancelled = [this] { events_->CountdownCancelled(); };
    countdown.OnPowerOffRequested = [this](int32_t method) { events_->PowerOffRequested(method); };
    countdown.OnPowerOffFailed = [this](int32_t method) { events_->PowerOffFailed(method); };
    aboutForm_ = std::make_unique<TAboutForm>(*shell_, ProgramPath, [this] { TrimWorkingSet(); });
    AboutForm = aboutForm_.get();
    graphWindow_ = std::make_unique<GraphWindow>(GraphWindowDeps{
        .files = *files_,
        .clock = *clock_,
        .options = *Options,
        .drives = *Drives,
        .logger = *Logger,
        .dataPath = DataPath,
        .owner = window_->Handle(),
        .trimWorkingSet = [this] { TrimWorkingSet(); },
    });
    Log("forms are created");

    RefreshMenuCaptions();

    if (Drives->MeasurableCount() == 0) {
        MessageBoxA(nullptr, kNoTemperatureText, kProductCaption, MB_ICONWARNING);
        // The loop of the program entry then returns at once; the rest of start-up still runs.
        ExitApplication();
    }

    // The first poll with the events connected: a disk already warm changes status here.
    Drives->PollAll();
    Drives->ApplyPollIntervals();
    Log("starting hard disks monitor");
    Drives->SetMonitoring(true);
    taskbarWatch_->OnChange = [this](const TaskbarLook& look) { OnTaskbarChange(look); };
    UpdateMainIcon();
    ShowPinHintOnce();
    Log(kInitializationFinished);
}

TApplication::~TApplication() {
    ShutDown();
    Application = nullptr;
}

void TApplication::ShutDown() noexcept {
    if (shutDown_)
        return;
    shutDown_ = true;
    // A step that throws silences the rest: their lines are skipped, but what they free still
    // goes, in this same order, so that nothing outlives what it uses (the window goes last).
    bool failed = false;
    const auto step = [this, &failed](const char* line, const auto& release) {
        if (line != nullptr && !failed) {
            try {
                Log(line);
            } catch (...) {
                failed = true;
            }
        }
        try {
            release();
        } catch (...) {
            failed = true;
        }
    };
    step(kStartFinalization, [this] {
        if (events_)
            events_->ProgramStopped();
    });
    // The alarm worker reads the settings, the windows and the logger through its calls into
    // this thread, which the steps below may serve while they wait: it stops first (within a
    // second whatever it is doing, waiting alarms dropped); the object goes at its own step.
    step(nullptr, [this] {
        if (Executor)
            Executor->Stop();
    });
    step("destroy hard disks monitor", [this] {
        if (taskbarWatch_)
            taskbarWatch_->OnChange = nullptr;
        graphWindow_.reset(); // it reads the disks' levels and poll intervals
        metrics_.reset();
        Drives.reset();
        driveDeps_.reset();
    });
    step("destroy forms", [this] {
        OptionsForm = nullptr;
        optionsForm_.reset();
    });
    // No new alarm reaches the countdown window from here on. A countdown still running (its
    // window closed with the close box, which does not cancel) ends without a power-off: the
    // computer is not powered off by a program that has ended.
    step(nullptr, [this] {
        HibernateForm = nullptr;
        if (hibernateForm_)
            hibernateForm_->Dismiss();
    });
    step(nullptr, [this] {
        AboutForm = nullptr;
        aboutForm_.reset();
    });
    step("destroy options engine", [this] {
        events_.reset();
        Options.reset();
        // The main icon belongs to the application window; the loaded icon resource is shared by
        // the system and must not be destroyed.
        MainTrayIcon = nullptr;
        TrayIconHandle = kNoIcon;
        // The worker has stopped already; the waiting alarms were dropped then.
        alarmDispatch_.reset();
        Executor.reset();
        // The countdown window goes after the executor that holds it.
        hibernateForm_.reset();
        SoundPlayer.reset();
    });
    step("destroy shutdown/hibernate engine", [this] {
        Shutdown.reset();
        TrayMessages.reset();
        trayShell_.reset();
        TrayMenu = nullptr;
    });
    step(kFinalizationFinished, [this] {
        SetFailureReport(nullptr);
        Logger.reset();
        commands_.reset();
        toolkit_.reset();
        window_.reset();
    });
}

void TApplication::Log(const std::string& message) {
    if (Logger)
        Logger->Log(kDebugLog, "", message, kNotice);
}

void TApplication::Run() {
    // The toolkit's own Run would free the window, its tray icons and menus as soon as the loop
    // ends, while the disks still hold their icons until shut-down destroys them. The window goes
    // at the end of shut-down instead; WM_CLOSE has already taken the icons out of the tray.
    while (!window_->Terminated()) {
        WaitMessage();
        while (!window_->Terminated() && window_->ProcessOneMessage()) {
        }
    }
}

void TApplication::ExitApplication() {
    if (MainTrayIcon)
        MainTrayIcon->SetActive(false);
    if (window_->Handle())
        SendMessageA(window_->Handle(), WM_CLOSE, 0, 0);
    // The quit message among them sets the loop's terminated flag.
    window_->ProcessMessages();
}

bool TApplication::FilterAppMessage(MSG& msg) {
    if (msg.message != WM_SYSCOMMAND)
        return false;
    bool handled = false;
    if (msg.hwnd == window_->Handle()) {
        const WPARAM command = msg.wParam & 0xFFF0; // the low four bits are the system's own
        // Only Exit ends the program, never the task-bar entry's Close.
        if (command == SC_CLOSE)
            handled = true;
        if (command == SC_MINIMIZE)
            handled = true; // the window is hidden already
    }
    window_->ProcessOneMessage();
    return handled;
}

void TApplication::SyncTaskbarButton() {
    HWND hwnd = window_->Handle();
    if (!hwnd)
        return;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    std::string caption;
    if (SettingsWindowShown && SettingsWindowShown(caption)) {
        SetWindowTextA(hwnd, caption.c_str());
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        SetForegroundWindow(hwnd);
    } else {
        ShowWindow(hwnd, SW_HIDE);
    }
}

void TApplication::TrimWorkingSet() {
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

void TApplication::RefreshMenuCaptions() {
    ApplyMenuCaptions(*TrayMenu);
    if (optionsForm_)
        optionsForm_->RefreshTexts();
    if (Drives)
        Drives->RefreshMenuCaptions();
}

void TApplication::UpdateMainIcon() {
    const int32_t rule = Options->General().ReadInteger(key::ShowMainIcon.name);
    mainIconRule_ = rule;
    if (rule == kMainIconHottest)
        ShowHottestDisk();
    else
        ShowOwnMainIcon();
    MainTrayIcon->SetActive(MainIconShown(rule, Drives ? Drives->VisibleIconCount() : 0));
}

void TApplication::AfterDrivePoll() {
    TrimWorkingSet();
    // While the drive list is being built its disks are probed: the main icon waits for it.
    if (mainIconRule_ == kMainIconHottest && Drives && MainTrayIcon)
        ShowHottestDisk();
}

void TApplication::ShowHottestDisk() {
    std::vector<DiskReading> readings;
    std::vector<TDrive*> readFrom;
    for (int32_t i = 0; Drives && i < Drives->Count(); ++i) {
        TDrive* drive = Drives->GetDrive(i);
        if (!drive->IsPresent() || !drive->IsControlEnabled() || !drive->HasTemperature())
            continue;
        readings.push_back({drive->DriveNumber(), drive->Temperature(),
                            drive->TemperatureText(drive->Temperature())});
        readFrom.push_back(drive);
    }
    const int hottest = HottestReading(readings);
    const IconHandle icon = hottest < 0 ? kNoIcon : readFrom[hottest]->TrayIcon().Icon();
    if (icon == kNoIcon) {
        ShowOwnMainIcon();
        return;
    }
    // The disk's own icon is its number in its state's colours, drawn for this taskbar; the
    // copy is the main icon's, as the disk replaces and destroys its own at will.
    if (icon != mainIconFrom_) {
        if (HICON copy = CopyIcon(ToHicon(icon))) {
            MainTrayIcon->SetIcon(OwnIcon(copy));
            mainIconFrom_ = icon;
        }
    }
    MainTrayIcon->SetTooltip(DiskListTooltip(readings));
    mainIconShowsDisk_ = true;
}

void TApplication::ShowOwnMainIcon() {
    if (!mainIconShowsDisk_)
        return;
    MainTrayIcon->SetIcon(OwnIcon(CopyIcon(ToHicon(TrayIconHandle))));
    MainTrayIcon->SetTooltip(kMainTrayTooltip);
    mainIconShowsDisk_ = false;
    mainIconFrom_ = kNoIcon;
}

void TApplication::OnTaskbarChange(const TaskbarLook& look) {
    int redrawn = 0;
    for (int32_t i = 0; Drives && i < Drives->Count(); ++i) {
        if (Drives->GetDrive(i)->RedrawTrayIcon())
            ++redrawn;
    }
    const char* theme = look.theme == TaskbarTheme::Dark    ? "dark"
                        : look.theme == TaskbarTheme::Light ? "light"
                                                            : "classic";
    Log(Format("taskbar changed: %s theme%s, %d-pixel icons, %d indicators redrawn", theme,
               look.highContrast ? " in high contrast" : "", look.iconSize, redrawn));
    mainIconFrom_ = kNoIcon; // the hottest disk's icon is a new one now
    UpdateMainIcon();
}

void TApplication::ShowPinHintOnce() {
    const TOptionsSection& general = Options->General();
    if (!PinHintDue(osVersion_->Read(), general.ReadBool(key::TrayPinHintShown)))
        return;
    TrayIconPort* shown = MainTrayIcon->Active() ? MainTrayIcon : nullptr;
    for (int32_t i = 0; !shown && Drives && i < Drives->Count(); ++i) {
        if (Drives->GetDrive(i)->IsIconShown())
            shown = &Drives->GetDrive(i)->TrayIcon();
    }
    // With no icon in the tray there is nothing to keep visible yet: a later start tells.
    if (!shown)
        return;
    ShowBalloon(*trayShell_, shown->Identity(), kPinHintTimeoutMs, kNiifInfo, kPinHintText,
                kPinHintTitle);
    general.WriteBool(key::TrayPinHintShown.name, true);
}

void TApplication::RefreshLogMenu(PopupMenuPort& menu, int logEntry) {
    commands_->RefreshLogMenu(menu, logEntry);
}

void TApplication::OnMenuCommand(PopupMenuPort& menu, int index) {
    switch (menu.Tag(index)) {
    case kCmdSettings:
        if (optionsForm_)
            optionsForm_->ShowPage(0);
        return;
    case kCmdDiskSettings:
        // The page of the disk whose menu it is.
        for (int32_t i = 0; Drives && i < Drives->Count(); ++i) {
            if (Drives->GetDrive(i)->Menu() == &menu)
                ShowDiskSettings(i);
        }
        return;
    case kCmdAbout:
        if (aboutForm_)
            aboutForm_->Show();
        return;
    case kCmdGraph:
        // From a disk's menu with that disk selected; from the main menu all alike.
        for (int32_t i = 0; Drives && i < Drives->Count(); ++i) {
            if (Drives->GetDrive(i)->Menu() == &menu) {
                ShowGraph(i);
                return;
            }
        }
        ShowGraph(-1);
        return;
    default:
        commands_->Run(menu, index);
    }
}

void TApplication::OnMainIconMouse(uint32_t message) {
    if (message == kTrayLeftDoubleClick) {
        OnMenuCommand(*TrayMenu, 0); // Settings, the main menu's first entry
    } else if (message == kTrayRightButtonUp) {
        PopupTrayMenu(*TrayMenu);
    }
}

void TApplication::OnDriveTrayMouse(TDrive& drive, uint32_t message) {
    if (message == kTrayLeftDoubleClick) {
        for (int32_t i = 0; Drives && i < Drives->Count(); ++i) {
            if (Drives->GetDrive(i) == &drive)
                ShowDiskSettings(i);
        }
    } else if (message == kTrayRightButtonUp && drive.Menu()) {
        PopupTrayMenu(*drive.Menu());
    }
}

void TApplication::ShowDiskSettings(int32_t position) {
    if (optionsForm_)
        optionsForm_->ShowDiskPage(position);
}

void TApplication::ShowGraph(int32_t position) {
    if (graphWindow_)
        graphWindow_->Show(position);
}

bool TApplication::PreviewSound(const std::string& path) {
    return SoundPlayer && Logger && korvane::PreviewSound(*SoundPlayer, *files_, *Logger, path);
}

void TApplication::OnDriveIconChange(TDrives&, TDrive&, bool) {
    UpdateMainIcon();
}

void TApplication::OnDriveStatusChange(TDrives& sender, TDrive& drive, TTempStatus oldStatus,
                                       TTempStatus newStatus) {
    if (events_)
        events_->StatusChanged(drive, newStatus);
    if (alarmDispatch_)
        alarmDispatch_->OnDriveStatusChange(&sender, drive, oldStatus, newStatus);
}

void TApplication::QueueDriveAlarm(TDrive& drive, TTempStatus status) {
    if (alarmDispatch_)
        alarmDispatch_->QueueDriveAlarm(drive, status);
}

PopupMenuPort* TApplication::CreateDiskMenu() {
    PopupMenuPort* menu = toolkit_->CreatePopupMenu(DiskMenuTemplate());
    TagDiskMenu(*menu);
    menu->OnItem = [this](PopupMenuPort& m, int index) { OnMenuCommand(m, index); };
    return menu;
}

void TApplication::PopupTrayMenu(PopupMenuPort& menu) {
    POINT at{};
    GetCursorPos(&at);
    RefreshLogMenu(menu, FindMenuCommand(menu, kCmdTemperatureLogs));
    menu.Popup(at.x, at.y);
}

} // namespace korvane

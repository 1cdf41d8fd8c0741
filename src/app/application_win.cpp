// The application object and the application-wide services.
#include "app/application_win.h"

#include "app/tray_menu.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/module_win.h"
#include "toolkit/text.h"

namespace korvane {

TApplication* Application = nullptr;

TApplication::TApplication() {
    Application = this;
    ProgramPath = WithTrailingBackslash(FolderOf(ModulePath()));

    HINSTANCE instance = GetModuleHandleA(nullptr);
    TrayIconHandle = FromHicon(LoadIconA(instance, "ZTRAYICON"));

    AppWindowArgs args;
    window_ = std::make_unique<AppWindow>(args);
    window_->MessageFilter = [this](MSG& msg) { return FilterAppMessage(msg); };
    // Keyboard navigation of every form: Tab, Shift+Tab and Enter for the default button.
    window_->AddMessageHook([](MSG& msg) { return forms::HandleFormNavigation(msg); });
    toolkit_ = std::make_unique<Win32Toolkit>(*window_);
    SoundPlayer = toolkit_->CreateSoundPlayer();

    // The tray icon owns its handle; the loaded one is shared and stays the application's.
    MainTrayIcon = toolkit_->CreateTrayIcon(FromHicon(CopyIcon(ToHicon(TrayIconHandle))));
    MainTrayIcon->SetTooltip(kMainTrayTooltip);
    MainTrayIcon->OnMouse = [this](uint32_t message) { OnMainIconMouse(message); };

    TrayMenu = toolkit_->CreatePopupMenu(MainMenuTemplate());
    TagMainMenu(*TrayMenu);
    ApplyMenuCaptions(*TrayMenu);
    TrayMenu->OnItem = [this](IPopupMenu& menu, int index) { OnMenuCommand(menu, index); };

    // Until the drive list decides, the main icon is always shown.
    MainTrayIcon->SetActive(true);
}

TApplication::~TApplication() {
    MainTrayIcon = nullptr; // freed with the application window
    TrayMenu = nullptr;
    SoundPlayer.reset();
    toolkit_.reset();
    window_.reset();
    Application = nullptr;
}

void TApplication::Run() {
    window_->Run();
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

void TApplication::OnMainIconMouse(uint32_t message) {
    if (message == kTrayLeftDoubleClick) {
        OnMenuCommand(*TrayMenu, 0);
    } else if (message == kTrayRightButtonUp) {
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(window_->Handle());
        TrayMenu->Popup(at.x, at.y);
        // Lets the menu's modal loop end cleanly.
        PostMessageA(window_->Handle(), WM_NULL, 0, 0);
    }
}

void TApplication::OnMenuCommand(IPopupMenu& menu, int index) {
    switch (menu.Tag(index)) {
    case kCmdExit:
        ExitApplication();
        break;
    default:
        // The windows and documents these commands open are not part of the program yet.
        break;
    }
}

} // namespace korvane

// The taskbar's icon size, theme and High Contrast as Win32 reports them, and the watch that
// coalesces the shell's change broadcasts into one change.
#include "toolkit/taskbar_win.h"

namespace korvane {
namespace {

constexpr const char* kPersonalizeKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr UINT_PTR kQuietTimer = 1;
#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif

uint32_t ToColorRef(DWORD sysColor) {
    return static_cast<uint32_t>(sysColor) & 0x00FFFFFF;
}

TaskbarTheme ReadTheme() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPersonalizeKey, 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return TaskbarTheme::Unknown;
    const ScopedRegistryKey key(raw);
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (RegQueryValueExA(key.Get(), "SystemUsesLightTheme", nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return TaskbarTheme::Unknown;
    return value != 0 ? TaskbarTheme::Light : TaskbarTheme::Dark;
}

class Win32Taskbar final : public TaskbarPort {
  public:
    explicit Win32Taskbar(uint32_t dpi) : dpi_(dpi) {
        // user32 is loaded already: no library search, only its newer entry points looked up.
        const HMODULE user32 = GetModuleHandleA("user32.dll");
        if (user32) {
            dpiForWindow_ = reinterpret_cast<DpiForWindow>(
                reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
            metricsForDpi_ = reinterpret_cast<MetricsForDpi>(
                reinterpret_cast<void*>(GetProcAddress(user32, "GetSystemMetricsForDpi")));
        }
    }

    TaskbarLook Look() const override {
        TaskbarLook look;
        look.iconSize = IconSize();
        look.theme = ReadTheme();
        HIGHCONTRASTA contrast{};
        contrast.cbSize = sizeof(contrast);
        if (SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
            (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
            look.highContrast = true;
            look.windowText = ToColorRef(GetSysColor(COLOR_WINDOWTEXT));
            look.window = ToColorRef(GetSysColor(COLOR_WINDOW));
            look.highlightText = ToColorRef(GetSysColor(COLOR_HIGHLIGHTTEXT));
            look.highlight = ToColorRef(GetSysColor(COLOR_HIGHLIGHT));
        }
        return look;
    }

  private:
    using DpiForWindow = UINT(WINAPI*)(HWND);
    using MetricsForDpi = int(WINAPI*)(int, UINT);

    int IconSize() const {
        UINT dpi = dpi_;
        if (dpi == 0 && dpiForWindow_) {
            // The taskbar may sit on a monitor of another scale than the program's windows.
            if (const HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
                dpi = dpiForWindow_(taskbar);
        }
        if (dpi != 0 && metricsForDpi_) {
            const int size = metricsForDpi_(SM_CXSMICON, dpi);
            if (size > 0)
                return size;
        }
        if (dpi != 0)
            return SmallIconSizeForDpi(dpi);
        const int size = GetSystemMetrics(SM_CXSMICON);
        return size > 0 ? size : 16;
    }

    uint32_t dpi_;
    DpiForWindow dpiForWindow_ = nullptr;
    MetricsForDpi metricsForDpi_ = nullptr;
};

} // namespace

std::unique_ptr<TaskbarPort> CreateWin32Taskbar(uint32_t dpi) {
    return std::make_unique<Win32Taskbar>(dpi);
}

TaskbarWatch::TaskbarWatch(const TaskbarPort& taskbar) : taskbar_(taskbar), look_(taskbar.Look()) {
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Procedure();
    wc.hInstance = instance;
    wc.lpszClassName = "KorvaneMonitor_TaskbarWatch";
    RegisterClassExA(&wc); // already registered by an earlier watch: fine
    // Top-level and never shown: message-only windows miss the broadcasts.
    window_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, BindParam()));
}

LRESULT TaskbarWatch::HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kQuietTimer) {
        KillTimer(hwnd, kQuietTimer);
        const TaskbarLook look = taskbar_.Look();
        if (!(look == look_)) {
            look_ = look;
            if (OnChange)
                OnChange(look_);
        }
        return 0;
    }
    const bool change = msg == WM_SETTINGCHANGE || msg == WM_DPICHANGED ||
                        msg == WM_DISPLAYCHANGE || msg == WM_SYSCOLORCHANGE ||
                        (msg == taskbarCreated_ && taskbarCreated_ != 0);
    if (change)
        SetTimer(hwnd, kQuietTimer, kQuietMs, nullptr); // restarts a running one
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace korvane

// The taskbar as Win32 reports it, and a hidden window that tells when its look has changed.
#pragma once

#include "toolkit/bound_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/taskbar.h"
#include "toolkit/win32.h"

#include <functional>
#include <memory>

namespace korvane {

// The small-icon size at the DPI of the "Shell_TrayWnd" window (GetDpiForWindow and
// GetSystemMetricsForDpi where the system has them, else GetSystemMetrics), the taskbar's theme
// from HKCU\...\Themes\Personalize SystemUsesLightTheme and SPI_GETHIGHCONTRAST with its
// colours. A non-zero `dpi` is asked instead of the taskbar's: Wine's taskbar keeps the DPI
// its prefix started with, so tests of other DPIs set it here.
std::unique_ptr<TaskbarPort> CreateWin32Taskbar(uint32_t dpi = 0);

// A hidden top-level window, which is what the shell's broadcasts reach: "TaskbarCreated",
// WM_SETTINGCHANGE (a theme switch sends "ImmersiveColorSet" several times), WM_DPICHANGED and
// WM_DISPLAYCHANGE. Any of them starts a short quiet period; at its end the look is asked
// again and OnChange runs once if it differs from the last one told.
class TaskbarWatch final : private BoundWindow {
  public:
    static constexpr UINT kQuietMs = 250;

    explicit TaskbarWatch(const TaskbarPort& taskbar);
    ~TaskbarWatch() override = default;

    const TaskbarLook& Look() const { return look_; }
    HWND Handle() const { return window_.Get(); }

    std::function<void(const TaskbarLook& look)> OnChange;

  private:
    LRESULT HandleWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    const TaskbarPort& taskbar_;
    TaskbarLook look_;
    UINT taskbarCreated_ = 0;
    ScopedWindow window_;
};

} // namespace korvane

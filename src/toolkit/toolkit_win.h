// The Win32 implementation of the toolkit factory, over the application window.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/toolkit.h"

namespace korvane {

class Win32Toolkit final : public ToolkitPort {
  public:
    explicit Win32Toolkit(AppWindow& window) : window_(window) {}

    std::unique_ptr<TimerPort> CreateTimer(int32_t interval) override;
    TrayIconPort* CreateTrayIcon(OwnedIcon icon) override;
    PopupMenuPort* CreatePopupMenu(const std::vector<std::string>& itemTemplate) override;
    std::unique_ptr<WorkerThreadPort> CreateWorkerThread(WorkerBody body) override;
    std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() override;

  private:
    AppWindow& window_;
};

} // namespace korvane

// The Win32 implementation of the toolkit factory, over the application window.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/toolkit.h"

namespace korvane {

class Win32Toolkit final : public IToolkit {
  public:
    explicit Win32Toolkit(AppWindow& window) : window_(window) {}

    std::unique_ptr<ITimer> CreateTimer(int32_t interval) override;
    ITrayIcon* CreateTrayIcon(IconHandle icon) override;
    IPopupMenu* CreatePopupMenu(const std::vector<std::string>& itemTemplate) override;
    std::unique_ptr<IWorkerThread> CreateWorkerThread(WorkerBody body) override;
    std::unique_ptr<ISoundPlayer> CreateSoundPlayer() override;

  private:
    AppWindow& window_;
};

} // namespace korvane

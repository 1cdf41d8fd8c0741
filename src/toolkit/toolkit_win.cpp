// The Win32 implementation of the toolkit factory.
#include "toolkit/toolkit_win.h"

#include "toolkit/popup_menu_win.h"
#include "toolkit/sound_player_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/tray_icon_win.h"
#include "toolkit/worker_thread_win.h"

namespace korvane {
namespace {

class Win32Toolkit final : public ToolkitPort {
  public:
    explicit Win32Toolkit(AppWindow& window) : window_(window) {}

    std::unique_ptr<TimerPort> CreateTimer(int32_t interval) override {
        return std::make_unique<Timer>(interval);
    }
    TrayIconPort* CreateTrayIcon(OwnedIcon icon) override {
        return &window_.CreateTrayIcon(std::move(icon));
    }
    PopupMenuPort* CreatePopupMenu(const std::vector<std::string>& itemTemplate) override {
        return &window_.CreatePopupMenu(itemTemplate);
    }
    std::unique_ptr<WorkerThreadPort> CreateWorkerThread(WorkerBody body) override {
        return std::make_unique<WorkerThread>(window_, std::move(body));
    }
    std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() override {
        return std::make_unique<SoundPlayer>(window_.Handle());
    }

  private:
    AppWindow& window_;
};

} // namespace

std::unique_ptr<ToolkitPort> CreateWin32Toolkit(AppWindow& window) {
    return std::make_unique<Win32Toolkit>(window);
}

} // namespace korvane

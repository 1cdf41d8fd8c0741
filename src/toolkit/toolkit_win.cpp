// The Win32 implementation of the toolkit factory.
#include "toolkit/toolkit_win.h"

#include "toolkit/popup_menu_win.h"
#include "toolkit/sound_player_win.h"
#include "toolkit/timer_win.h"
#include "toolkit/tray_icon_win.h"
#include "toolkit/worker_thread_win.h"

namespace korvane {

std::unique_ptr<TimerPort> Win32Toolkit::CreateTimer(int32_t interval) {
    return std::make_unique<Timer>(interval);
}

TrayIconPort* Win32Toolkit::CreateTrayIcon(OwnedIcon icon) {
    return &window_.CreateTrayIcon(std::move(icon));
}

PopupMenuPort* Win32Toolkit::CreatePopupMenu(const std::vector<std::string>& itemTemplate) {
    return &window_.CreatePopupMenu(itemTemplate);
}

std::unique_ptr<WorkerThreadPort> Win32Toolkit::CreateWorkerThread(WorkerBody body) {
    return std::make_unique<WorkerThread>(window_, std::move(body));
}

std::unique_ptr<SoundPlayerPort> Win32Toolkit::CreateSoundPlayer() {
    return std::make_unique<SoundPlayer>(window_.Handle());
}

} // namespace korvane

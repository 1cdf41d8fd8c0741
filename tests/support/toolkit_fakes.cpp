// Recording test doubles of the toolkit ports.
#include "toolkit_fakes.h"

namespace korvane::test {

void FakeTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled)
        ++restarts;
}

void FakeTimer::SetInterval(int32_t milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    if (enabled_)
        ++restarts;
}

FakeTrayIcon::FakeTrayIcon(OwnedIcon icon, uint32_t id)
    : id_(id), state_([this](ShellRequest request) {
          requests.push_back({request, state_.Icon(), TrayTooltipField(state_.Tooltip())});
      }) {
    state_.SetIcon(std::move(icon));
}

void FakePopupMenu::SetText(int index, const std::string& text) {
    if (auto* item = model_.At(index))
        item->text = text;
}

void FakePopupMenu::SetVisible(int index, bool visible) {
    if (auto* item = model_.At(index))
        item->visible = visible;
}

int FakePopupMenu::InsertItem(int parent, const std::string& text) {
    MenuModel::Item* parentItem = nullptr;
    if (parent >= 0) {
        parentItem = model_.At(parent);
        if (!parentItem || parentItem->separator)
            return -1;
    }
    return model_.IndexOf(&model_.Append(parentItem, text));
}

void FakePopupMenu::RemoveItem(int index) {
    if (auto* item = model_.At(index))
        model_.Remove(*item);
}

bool FakeSoundPlayer::SetFileName(const std::string& path) {
    if (path != fileName_ && open_) {
        commands.push_back("close");
        open_ = false;
    }
    fileName_ = path;
    if (path.empty() || open_)
        return open_;
    commands.push_back("open " + path);
    open_ = !openFails;
    lastError_ = open_ ? 0 : (failWith ? failWith : 275); // MCIERR_FILE_NOT_FOUND
    return open_;
}

bool FakeSoundPlayer::Play() {
    const bool ok = Command(wait_ ? "play wait" : "play notify");
    if (ok && endsAtOnce)
        position = length;
    return ok;
}

bool FakeSoundPlayer::PlayFor(uint32_t units) {
    const bool ok = Command("play " + std::to_string(units) + (wait_ ? " wait" : " notify"));
    if (ok && endsAtOnce)
        position += units;
    return ok;
}

bool FakeSoundPlayer::Command(const std::string& text) {
    commands.push_back(text);
    lastError_ = !open_ ? 263 /* MCIERR_INVALID_DEVICE_ID */ : failWith;
    return lastError_ == 0;
}

std::unique_ptr<TimerPort> FakeToolkit::CreateTimer(int32_t interval) {
    auto timer = std::make_unique<FakeTimer>(interval);
    timers.push_back(timer.get());
    return timer;
}

TrayIconPort* FakeToolkit::CreateTrayIcon(OwnedIcon icon) {
    trayIcons.push_back(std::make_unique<FakeTrayIcon>(
        std::move(icon), static_cast<uint32_t>(trayIcons.size() + 1)));
    return trayIcons.back().get();
}

PopupMenuPort* FakeToolkit::CreatePopupMenu(const std::vector<std::string>& itemTemplate) {
    menus.push_back(std::make_unique<FakePopupMenu>(itemTemplate));
    return menus.back().get();
}

std::unique_ptr<WorkerThreadPort> FakeToolkit::CreateWorkerThread(WorkerBody body) {
    auto worker = std::make_unique<FakeWorkerThread>(std::move(body));
    workers.push_back(worker.get());
    return worker;
}

std::unique_ptr<SoundPlayerPort> FakeToolkit::CreateSoundPlayer() {
    auto player = std::make_unique<FakeSoundPlayer>();
    soundPlayers.push_back(player.get());
    return player;
}

} // namespace korvane::test

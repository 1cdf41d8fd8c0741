// Recording test doubles of the toolkit ports, for the native tests of the program's logic.
#pragma once

#include "toolkit/app_services.h"
#include "toolkit/menu_model.h"
#include "toolkit/toolkit.h"
#include "toolkit/tray_icon_state.h"

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace korvane::test {

class FakeTimer final : public TimerPort {
  public:
    explicit FakeTimer(int32_t interval) : interval_(EffectiveTimerInterval(interval)) {}
    void SetEnabled(bool enabled) override;
    bool Enabled() const override { return enabled_; }
    void SetInterval(int32_t milliseconds) override;
    int32_t Interval() const override { return interval_; }

    // Delivers one tick as the message loop would.
    void Fire() {
        if (OnTick)
            OnTick(*this);
    }
    int restarts = 0; // periods restarted by enabling or by a changed interval

  private:
    int32_t interval_;
    bool enabled_ = false;
};

class FakeTrayIcon final : public TrayIconPort {
  public:
    FakeTrayIcon(OwnedIcon icon, uint32_t id);
    void SetActive(bool active) override { state_.SetActive(active); }
    bool Active() const override { return state_.Active(); }
    void SetIcon(OwnedIcon icon) override { state_.SetIcon(std::move(icon)); }
    IconHandle Icon() const override { return state_.Icon(); }
    void SetTooltip(const std::string& text) override { state_.SetTooltip(text); }
    std::string Tooltip() const override { return state_.Tooltip(); }
    void SetTag(int32_t tag) override { tag_ = tag; }
    int32_t Tag() const override { return tag_; }
    TrayIconIdentity Identity() const override { return {0x1000, id_}; }

    // Shell requests in order, with the tooltip field each one carried.
    struct Request {
        ShellRequest request;
        IconHandle icon;
        std::string tooltip;
    };
    std::vector<Request> requests;
    TrayIconState& State() { return state_; }
    void Mouse(uint32_t message) {
        if (OnMouse)
            OnMouse(message);
    }

  private:
    uint32_t id_;
    TrayIconState state_;
    int32_t tag_ = 0;
};

class FakePopupMenu final : public PopupMenuPort {
  public:
    explicit FakePopupMenu(const std::vector<std::string>& itemTemplate) : model_(itemTemplate) {}
    int Count() const override { return model_.Count(); }
    void SetText(int index, const std::string& text) override;
    std::string Text(int index) const override { return model_.TextAt(index); }
    void SetTag(int index, int32_t tag) override { model_.SetTagAt(index, tag); }
    int32_t Tag(int index) const override { return model_.TagAt(index); }
    void SetData(int index, int32_t data) override { model_.SetDataAt(index, data); }
    int32_t Data(int index) const override { return model_.DataAt(index); }
    void SetVisible(int index, bool visible) override;
    bool Visible(int index) const override { return model_.VisibleAt(index); }
    int InsertItem(int parent, const std::string& text) override;
    void RemoveItem(int index) override;
    int SubItemCount(int parent) const override { return model_.SubItemCount(parent); }
    int SubItem(int parent, int n) const override { return model_.SubItem(parent, n); }
    void Popup(int32_t x, int32_t y) override { popups.push_back({x, y}); }

    // The user chooses an item.
    void Choose(int index) {
        if (OnItem)
            OnItem(*this, index);
    }
    struct Point {
        int32_t x, y;
    };
    std::vector<Point> popups;
    const MenuModel& Model() const { return model_; }

  private:
    MenuModel model_;
};

class FakeWorkerThread final : public WorkerThreadPort {
  public:
    explicit FakeWorkerThread(WorkerBody body) : body(std::move(body)) {}
    bool Terminated() const override { return terminated; }
    void Terminate() override { terminated = true; }
    // Runs at once, as the GUI thread would, and counts.
    bool Synchronize(const std::function<void()>& method) override {
        ++synchronized;
        method();
        return true;
    }
    // The body runs only inside RunBody: it has returned unless called from within.
    bool WaitFor(uint32_t) override { return !running; }
    // Runs the body on the calling thread (it must end by itself or by Terminate from within).
    uint32_t RunBody() {
        running = true;
        const uint32_t result = body ? body(*this) : 0;
        running = false;
        return result;
    }

    WorkerBody body;
    // Set from a start's own thread too (a hanging shell the stop comes during).
    std::atomic<bool> terminated{false};
    bool running = false;
    int synchronized = 0;
};

class FakeSoundPlayer final : public SoundPlayerPort {
  public:
    void SetWait(bool wait) override { wait_ = wait; }
    bool Wait() const override { return wait_; }
    bool SetFileName(const std::string& path) override;
    std::string FileName() const override { return fileName_; }
    bool Stop() override { return Command("stop"); }
    bool Pause() override { return Command("pause"); }
    bool SeekToStart() override {
        position = 0;
        return Command("seek 0");
    }
    bool SetTimeFormatMilliseconds() override { return Command("time format ms"); }
    uint32_t Length() override { return Command("length") ? length : 0; }
    uint32_t Position() override { return Command("position") ? position : 0; }
    // A play is over at once: the position is at its end afterwards.
    bool Play() override;
    bool PlayFor(uint32_t units) override;
    uint32_t LastError() const override { return lastError_; }

    // Commands in order ("open NAME", "close", "stop", "play wait", "play 20000 wait", ...).
    std::vector<std::string> commands;
    uint32_t length = 1000; // what the device reports
    uint32_t position = 0;
    uint32_t failWith = 0; // error code of every command when non-zero
    bool openFails = false;
    bool endsAtOnce = true; // false: a play goes on; the position stays where it was

  private:
    bool Command(const std::string& text);
    std::string fileName_;
    bool open_ = false;
    bool wait_ = false;
    uint32_t lastError_ = 0;
};

// Creates the doubles and keeps every one it made for inspection; tray icons and menus are
// owned here as the application window owns the real ones.
class FakeToolkit final : public ToolkitPort {
  public:
    std::unique_ptr<TimerPort> CreateTimer(int32_t interval) override;
    TrayIconPort* CreateTrayIcon(OwnedIcon icon) override;
    PopupMenuPort* CreatePopupMenu(const std::vector<std::string>& itemTemplate) override;
    std::unique_ptr<WorkerThreadPort> CreateWorkerThread(WorkerBody body) override;
    std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() override;

    std::vector<FakeTimer*> timers; // valid while their owners keep them
    std::vector<std::unique_ptr<FakeTrayIcon>> trayIcons;
    std::vector<std::unique_ptr<FakePopupMenu>> menus;
    std::vector<FakeWorkerThread*> workers;
    std::vector<FakeSoundPlayer*> soundPlayers;
};

class FakeAppServices final : public AppServicesPort {
  public:
    void ExitApplication() override { ++exits; }
    void SyncTaskbarButton() override { ++taskbarSyncs; }
    void TrimWorkingSet() override { ++trims; }
    int exits = 0;
    int taskbarSyncs = 0;
    int trims = 0;
};

// A real toolkit behind it, every service passed through; a test overrides the one it watches
// or breaks.
class ForwardingToolkit : public ToolkitPort {
  public:
    explicit ForwardingToolkit(ToolkitPort& inner) : inner_(inner) {}
    std::unique_ptr<TimerPort> CreateTimer(int32_t interval) override {
        return inner_.CreateTimer(interval);
    }
    TrayIconPort* CreateTrayIcon(OwnedIcon icon) override {
        return inner_.CreateTrayIcon(std::move(icon));
    }
    PopupMenuPort* CreatePopupMenu(const std::vector<std::string>& itemTemplate) override {
        return inner_.CreatePopupMenu(itemTemplate);
    }
    std::unique_ptr<WorkerThreadPort> CreateWorkerThread(WorkerBody body) override {
        return inner_.CreateWorkerThread(std::move(body));
    }
    std::unique_ptr<SoundPlayerPort> CreateSoundPlayer() override {
        return inner_.CreateSoundPlayer();
    }

  protected:
    ToolkitPort& inner_;
};

} // namespace korvane::test

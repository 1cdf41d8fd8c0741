// A bench for the settings window's disk pages under Wine: a form with the page area of the
// settings window holding all five pages, a real Korvn.ini in a temp folder (the real options
// store over the Win32 profile functions), and real disks over the simulated driver.
#pragma once

#include "drives/drives.h"
#include "drives/indicator_icons.h"
#include "drives/sim/sim_driver.h"
#include "log/logger.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "toolkit/app_window_win.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/os_version.h"
#include "toolkit/toolkit_win.h"
#include "ui/disk_page_texts.h"
#include "ui/disk_page_win.h"

#include "drives/indicator_icons_win.h"
#include "fake_registry.h"
#include "toolkit/os_version_win.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace korvane::test {

// Makes the real indicator icons and remembers what each showed.
class RecordingIcons final : public IndicatorIconPort {
  public:
    struct Made {
        uint16_t value;
        uint32_t background;
        uint32_t textColor;
    };
    OwnedIcon MakeIcon(uint16_t value, uint32_t background, uint32_t textColor) override {
        made.push_back({value, background, textColor});
        return inner_->MakeIcon(value, background, textColor);
    }
    std::vector<Made> made;

  private:
    std::unique_ptr<IndicatorIconPort> inner_ = CreateWin32IndicatorIcon();
};

class DiskPageRig {
  public:
    static constexpr int kPageAreaWidth = 355;
    static constexpr int kPageAreaHeight = 372;
    static constexpr const char* kCaption = "Korvane - Disk Pages";

    // A fresh folder `name`; `simulation` is the text of its simulation.ini (the disks found);
    // `prepare` may write the settings file before the store and the disks see it.
    DiskPageRig(const std::string& name, const std::string& simulation,
                const std::function<void(const std::string& iniPath)>& prepare = nullptr,
                bool hibernateAvailable = true);
    ~DiskPageRig();

    // Refreshes the disk texts and loads every page (common first), the level boxes in `celsius`.
    void Load(bool celsius);
    // Saves every page in slot order, as OK and Apply do.
    void Save(bool celsius);
    void SwitchUnit(bool celsius);
    // The settings window's page switch: hides all, shows and raises one, repaints.
    void ShowPage(int slot);

    DiskPage& Page(int slot) { return *pages_[static_cast<size_t>(slot + 1)]; }
    HWND Window() const { return form_->Handle(); }

    // The settings file as it is on disk now.
    std::string IniText() const;
    // One value as the profile functions read it ("<absent>" when the key is missing).
    std::string Key(const std::string& section, const std::string& key) const;

    std::string dir;
    std::string iniPath;
    std::string programFolder;
    std::vector<std::string> played; // the files the sound test was asked to play
    bool playResult = true;
    int enableClicks = 0;

    std::unique_ptr<ProfilePort> profile;
    std::unique_ptr<FileSystemPort> files;
    std::unique_ptr<ClockPort> clock;
    FakeRegistry registry;
    std::unique_ptr<TOptions> options;
    std::unique_ptr<TLogger> logger;
    AppWindow window;
    std::unique_ptr<ToolkitPort> toolkit = CreateWin32Toolkit(window);
    RecordingIcons icons;
    std::unique_ptr<sim::SimulatedDriver> driver;
    std::unique_ptr<OsVersionPort> os = CreateWin32OsVersion();
    std::unique_ptr<DriveDeps> context;
    std::unique_ptr<TDrives> drives;

  private:
    forms::ImageList images_{48, 48};
    std::unique_ptr<forms::Form> form_;
    forms::Panel* pageArea_ = nullptr;
    // The common page and four disk slots: more than the rig's disks, so that one stays empty.
    std::array<std::unique_ptr<DiskPage>, 5> pages_;
};

} // namespace korvane::test

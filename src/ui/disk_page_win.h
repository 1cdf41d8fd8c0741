// One hard-disk page of the settings window: the common page (slot -1) or the page of disk 0..15,
// with its header, the "General", "Temperature Levels" and "Temperature Control" tabs, their
// enabling rules, numeric checks, unit switch, sound test and file choosers, loading and saving.
#pragma once

#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/color_combo_win.h"
#include "toolkit/forms/edit_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/forms/tab_control_win.h"
#include "toolkit/forms/updown_win.h"
#include "ui/disk_page_levels.h"
#include "ui/disk_page_values.h"
#include "ui/settings_page_win.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

class TDrive;
class TDrives;
class TOptions;

// What a page needs from the settings window and the application.
struct DiskPageDeps {
    const TDrives* drives = nullptr;          // slot i shows disk i of the list
    const forms::ImageList* images = nullptr; // the window's list; image 0 is the disk picture
    bool hibernateAvailable = false;          // the method lists offer "Hibernate"
    // Starts playing a file without waiting; false when it cannot be played.
    std::function<bool(const std::string& file)> playTestSound;
    std::string programFolder;  // the running program's folder, with a trailing backslash
    HWND dialogOwner = nullptr; // the application window: owns message boxes and file dialogs
    // After the page ran its enabling rules for a click on its enable or common box.
    std::function<void()> onEnableBoxesClicked;
    // The header's "Graph..." button: the temperature graph with this page's disk selected.
    std::function<void(int32_t position)> showGraph;
};

class DiskPage final : public SettingsPage {
  public:
    static constexpr int kCommonSlot = -1;

    // The controls of a level box, a state's colour lists and a level's alarm actions.
    struct LevelControls {
        forms::Label* label = nullptr;
        forms::Edit* box = nullptr;
        forms::UpDown* spin = nullptr;
        LevelOrigin origin;
    };
    struct ColorControls {
        forms::ColorComboBox* text = nullptr;
        forms::ColorComboBox* background = nullptr;
    };
    struct AlarmControls {
        forms::CheckBox* showMessage = nullptr;
        forms::CheckBox* playSound = nullptr;
        forms::Edit* soundFile = nullptr;
        forms::Button* testSound = nullptr;
        forms::Button* chooseSound = nullptr;
        forms::CheckBox* executeApp = nullptr;
        forms::Edit* application = nullptr;
        forms::Button* chooseApp = nullptr;
        forms::CheckBox* poweroff = nullptr;
        forms::ComboBox* method = nullptr;
    };

    // Slot -1 is the common page; Build makes its controls.
    DiskPage(int slot, DiskPageDeps deps);
    DiskPage(const DiskPage&) = delete;
    DiskPage& operator=(const DiskPage&) = delete;

    int Slot() const { return slot_; }
    bool IsCommon() const { return slot_ == kCommonSlot; }
    forms::Panel& Page() { return *page_; }

    // The page, hidden, filling `pageArea`: its header and "General" tab. The controls of the
    // "Temperature Levels" and "Temperature Control" tabs (the colour lists among them) follow
    // when their tab is first chosen; until then the page keeps their values as it loaded them.
    void Build(forms::Control& pageArea) override;
    bool IsBuilt() const override { return page_ != nullptr; }
    // "Hard Disks" for the common page, the disk's model text, or none for a slot without a disk.
    std::string TreeText() const override;
    // The disk's model, serial number and capacity (nothing for the common page or no disk).
    void RefreshTexts() override;
    // Fills the page from the common section (common page) or the disk's own section; the level
    // boxes show the access's unit. A disk page without a disk, or not built, is left alone.
    void Load(const SettingsAccess& access) override;
    // Writes the page back into the section it was loaded from; a disk page the user has not
    // changed since loading writes nothing, so it cannot undo an edit on a page of the same model.
    void Save(const SettingsAccess& access) override;
    // Converts the level boxes to the unit and relabels them.
    void UnitChanged(bool celsius) override;
    // The common page shows its header with its own caption, a disk page "[ " + model + " ]".
    void Show(const std::string& itemText) override;
    void Hide() override;
    // Enables, shows and hides by the states of the enable and common boxes.
    void ApplyEnablingRules();

    // The controls, for the settings window's tab order and for tests.
    forms::GroupBox& Header() { return *header_; }
    forms::TabControl& Tabs() { return *tabs_; }
    forms::CheckBox* EnableBox() { return enable_; }
    forms::CheckBox* CommonBox() { return common_; }
    forms::Edit& IntervalBox() { return *interval_; }
    // The controls of the second and third tabs are built, if they are not yet, by asking for them.
    forms::Edit& WarningBox() { return *Level(0).box; }
    forms::Edit& CriticalBox() { return *Level(1).box; }
    const LevelControls& Level(size_t index) { // warning, critical
        BuildLevelsControls();
        return levels_[index];
    }
    forms::UpDown& IntervalSpin() { return *intervalSpin_; }
    forms::ComboBox& UnitsList() { return *units_; }
    forms::ComboBox& TrayList() { return *showInTray_; }
    forms::GroupBox& PollGroup() { return *pollGroup_; }
    forms::GroupBox& TrayGroup() { return *trayGroup_; }
    forms::TabControl& LevelTabs() {
        BuildLevelsControls();
        return *levelTabs_;
    }
    forms::TabControl& ControlTabs() {
        BuildControlControls();
        return *controlTabs_;
    }
    // Normal, warning, critical.
    const ColorControls& Colors(size_t index) {
        BuildLevelsControls();
        return colors_[index];
    }
    // Warning, critical.
    const AlarmControls& Alarm(size_t index) {
        BuildControlControls();
        return alarms_[index];
    }

  private:
    // Flat bold button tabs of the level and control tabs; their pages keep the page's font.
    static forms::TabControl& InnerTabs(forms::Panel& tab, const std::vector<std::string>& texts);
    void BuildHeader();
    // The controls of the tab just chosen, at its first choice.
    void BuildChosenTab();
    void BuildLevelsControls();
    void BuildControlControls();
    void FillLevels();
    void FillAlarms();
    // The level box's text; an unbuilt box stands for what it would have been filled with.
    std::string LevelText(size_t index) const;
    void BuildGeneralTab(forms::Panel& tab);
    void BuildLevelsTab(forms::Panel& tab);
    void BuildLevelGroup(forms::Panel& page, int index);
    void BuildControlTab(forms::Panel& tab);
    void BuildAlarmGroup(forms::Panel& page, int index);
    void PlaceLevelBox(LevelControls& level);
    void SetUnitLabels(bool celsius);

    void EnableDependants(const AlarmControls& alarm);
    void CheckInterval();
    void CheckWarning();
    void CheckCritical();
    void CheckBeforeSave();
    void TestSound(const AlarmControls& alarm);
    void ChooseSound(const AlarmControls& alarm);
    void ChooseApplication(const AlarmControls& alarm);

    const TDrive* Drive() const;
    void SetTexts(const DiskFacts* disk);
    void Load(TOptions& options, const DiskFacts* disk, bool celsius);
    void Fill(const DiskPageValues& values, bool celsius);
    DiskPageValues Collect(bool celsius) const;

    int slot_;
    DiskPageDeps deps_;
    forms::Panel* page_ = nullptr;
    forms::GroupBox* header_ = nullptr;
    forms::ImageButton* picture_ = nullptr;
    std::array<forms::Label*, 3> captions_{};
    std::array<forms::Label*, 3> values_{};
    forms::Button* graph_ = nullptr;
    forms::WordWrapLabel* note_ = nullptr;
    forms::TabControl* tabs_ = nullptr;
    forms::Panel* levelsPage_ = nullptr;
    forms::Panel* controlPage_ = nullptr;

    forms::CheckBox* enable_ = nullptr;
    forms::CheckBox* common_ = nullptr;
    forms::GroupBox* pollGroup_ = nullptr;
    forms::GroupBox* trayGroup_ = nullptr;
    forms::Edit* interval_ = nullptr;
    forms::UpDown* intervalSpin_ = nullptr;
    forms::ComboBox* units_ = nullptr;
    forms::ComboBox* showInTray_ = nullptr;

    forms::TabControl* levelTabs_ = nullptr;
    std::array<LevelControls, 2> levels_{}; // warning, critical
    std::array<ColorControls, 3> colors_{}; // normal, warning, critical
    forms::TabControl* controlTabs_ = nullptr;
    std::array<AlarmControls, 2> alarms_{}; // warning, critical

    bool celsius_ = true; // the unit the level boxes show
    // What the page was last filled with: the values of the tabs whose controls are not built.
    DiskPageValues filled_;
    // What the page was loaded from, and what the file held for it then or after its last save:
    // saving writes only what differs from that.
    std::optional<DiskPageSource> source_;
    DiskPageValues stored_;
};

} // namespace korvane

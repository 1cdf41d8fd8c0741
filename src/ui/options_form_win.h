// TOptionsForm: the settings window with its page tree, the General and Log pages, the disk page
// slots, and OK, Apply and Cancel.
#pragma once

#include "toolkit/app_services.h"
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/edit_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/forms/tree_view_win.h"
#include "toolkit/forms/updown_win.h"
#include "ui/options_form.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace korvane {

class RegistryPort;
class TDiskPage;
class TDrives;
class TOptions;

// What the window works on and calls back into; everything outlives the window.
struct TOptionsFormDeps {
    TOptions& options;
    RegistryPort& registry;
    TDrives& drives;
    AppServicesPort& app;
    // The main-icon rule, run after saving.
    std::function<void()> updateMainIcon;
    // The sound test of the disk pages: true when playing started.
    std::function<bool(const std::string& path)> playTestSound;
    bool hibernateAvailable = false;
    std::string programPath;   // the running program file: the autostart command
    std::string programFolder; // its folder with a trailing "\"
    HWND owner = nullptr;      // the application window
    HINSTANCE resources = nullptr;
};

// Created once at start-up and hidden; the tray opens it at a page, OK, Cancel and the close box
// hide it again. The object lives until shut-down.
class TOptionsForm {
  public:
    explicit TOptionsForm(TOptionsFormDeps deps);
    ~TOptionsForm();
    TOptionsForm(const TOptionsForm&) = delete;
    TOptionsForm& operator=(const TOptionsForm&) = delete;

    // At a top-level page: 0 "General", 1 "Hard Disks", 2 "Log"; beyond them "General".
    void ShowPage(int32_t index);
    // At the page of the disk at this position of the drive list; without one, "General".
    void ShowDiskPage(int32_t index);
    // Caption, page tree and the texts of every page, the disks' own texts included.
    void RefreshTexts();

    bool IsVisible() const { return form_.IsVisible(); }
    std::string Caption() const { return form_.Text(); }
    HWND Handle() const { return form_.Handle(); }

  private:
    void BuildStrip();
    void BuildGeneralPage();
    void BuildLogPage();
    void BuildTree();
    void Open(forms::TreeItem first, int32_t steps);
    void SwitchPage(forms::TreeItem item);
    void HidePages();
    void LoadValues();
    void SaveValues();
    void OnUnitClick();
    void OnLogEnabledClick();
    void OnDiskCheckClick();
    void CloseWindow(bool save);
    TDiskPage* Slot(int32_t slot) const;

    TOptionsFormDeps deps_;
    // Declared before the form: the disk pictures are drawn from it until the form is gone.
    forms::ImageList images_;
    forms::Form form_;
    forms::TreeView* tree_ = nullptr;
    forms::TreeItem generalItem_ = nullptr;
    forms::TreeItem hardDisksItem_ = nullptr;
    forms::Panel* pageArea_ = nullptr;
    forms::Button* ok_ = nullptr;
    forms::Button* apply_ = nullptr;
    forms::Button* cancel_ = nullptr;

    // The General page.
    forms::GroupBox* generalPage_ = nullptr;
    forms::CheckBox* autostart_ = nullptr;
    forms::GroupBox* mainIconGroup_ = nullptr;
    forms::Label* displayMainIcon_ = nullptr;
    forms::ComboBox* mainIcon_ = nullptr;
    forms::GroupBox* unitsGroup_ = nullptr;
    forms::RadioButton* celsius_ = nullptr;
    forms::RadioButton* fahrenheit_ = nullptr;

    // The Log page.
    forms::GroupBox* logPage_ = nullptr;
    forms::CheckBox* logEnabled_ = nullptr;
    forms::Label* storeFor_ = nullptr;
    forms::Edit* logDays_ = nullptr;
    forms::UpDown* logDaysSpin_ = nullptr;
    forms::Label* days_ = nullptr;

    // Slot -1 (the common page) first, then the disks 0 to 3.
    std::array<std::unique_ptr<TDiskPage>, 5> slots_;
};

} // namespace korvane

// TOptionsForm: the settings window: its list of pages with their tree entries, and OK, Apply and
// Cancel.
#pragma once

#include "toolkit/app_services.h"
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/forms/tree_view_win.h"
#include "ui/options_form.h"
#include "ui/settings_page_win.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korvane {

class DiskPage;
class GeneralPage;
class RegistryPort;
class TDrives;
class TOptions;

// What the window works on and calls back into; everything outlives the window.
struct OptionsFormDeps {
    TOptions& options;
    RegistryPort& registry;
    TDrives& drives;
    AppServicesPort& app;
    // The main-icon rule, run after saving.
    std::function<void()> updateMainIcon;
    // The sound test of the disk pages: true when playing started.
    std::function<bool(const std::string& path)> playTestSound;
    // The disk pages' "Graph..." button, with the disk's position in the drive list.
    std::function<void(int32_t position)> showGraph;
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
    explicit TOptionsForm(OptionsFormDeps deps);
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
    // The common page (slot -1) and the page of every disk of the drive list, for tests.
    DiskPage& DiskPageAt(int32_t slot) { return *diskPages_[static_cast<size_t>(slot + 1)]; }

  private:
    // One page and its tree item.
    struct PageEntry {
        std::unique_ptr<SettingsPage> page;
        intptr_t data; // the tree item's data
        int parent;    // the entry whose item it hangs below; kRoot for the top level
        forms::TreeItem item = nullptr;
    };
    static constexpr int kRoot = -1;

    // Appends a page to the list: its tree item follows those of the pages before it.
    template <typename Page>
    Page& AddPage(std::unique_ptr<Page> page, intptr_t data, int parent = kRoot) {
        Page& added = *page;
        pages_.push_back({std::move(page), data, parent});
        return added;
    }
    void BuildStrip();
    void BuildTree();
    void Open(forms::TreeItem first, int32_t steps);
    void SwitchPage(forms::TreeItem item);
    // Builds a page at its first show and loads it.
    void BuildPage(SettingsPage& page);
    void LoadValues();
    void SaveValues();
    void OnUnitClick();
    void OnDiskCheckClick();
    void CloseWindow(bool save);

    OptionsFormDeps deps_;
    // Declared before the form: the disk pictures are drawn from it until the form is gone.
    forms::ImageList images_;
    forms::Form form_;
    forms::TreeView* tree_ = nullptr;
    forms::Panel* pageArea_ = nullptr;
    forms::Button* ok_ = nullptr;
    forms::Button* apply_ = nullptr;
    forms::Button* cancel_ = nullptr;

    // In the order of the tree: General, the common page, a slot per disk below it, Log.
    std::vector<PageEntry> pages_;
    int hardDisksEntry_ = kRoot;
    // Set while the tree's selection is moved by the window itself.
    bool quietTree_ = false;
    // The unit the other pages are saved in is chosen here.
    GeneralPage* general_ = nullptr;
    // The enabling rules run for every disk page at a click on one.
    std::vector<DiskPage*> diskPages_;
};

} // namespace korvane

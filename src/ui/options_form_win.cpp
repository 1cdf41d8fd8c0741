// TOptionsForm: the settings window's frame, its list of pages and their tree, loading and saving.
#include "ui/options_form_win.h"

#include "drives/drives.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "ui/about.h"
#include "ui/disk_page_win.h"
#include "ui/general_page_win.h"
#include "ui/log_page_win.h"

#include <algorithm>
#include <set>
#include <utility>

namespace korvane {

TOptionsForm::TOptionsForm(OptionsFormDeps deps)
    : deps_(std::move(deps)), images_(kDiskPictureEdge, kDiskPictureEdge),
      form_(forms::FormArgs{.caption = kOptionsCaption,
                            .owner = deps_.owner,
                            .clientWidth = kOptionsClientWidth,
                            .clientHeight = kOptionsClientHeight,
                            .icon = LoadIconA(deps_.resources, "MAINICON")}) {
    BuildStrip();
    tree_ = &form_.Add<forms::TreeView>({.bounds = {kTreeLeft, kTreeTop, kTreeWidth, kTreeHeight}});
    tree_->OnSelectionChanged = [this](forms::TreeView&, forms::TreeItem item) {
        SwitchPage(item);
    };
    // The pages hang below "Hard Disks": it stays open.
    tree_->OnExpanding = [](forms::TreeView&, forms::TreeItem, bool expanding) {
        return expanding;
    };
    pageArea_ = &form_.Add<forms::Panel>(
        {.bounds = {kPageAreaLeft, kPageAreaTop, kPageAreaWidth, kPageAreaHeight}});

    // The pages, each with its tree entry.
    general_ = &AddPage(std::make_unique<GeneralPage>(GeneralPageDeps{
                            .registry = deps_.registry,
                            .programPath = deps_.programPath,
                            .onUnitClick = [this] { OnUnitClick(); },
                        }),
                        kGeneralPageData);
    const DiskPageDeps disks{
        .drives = &deps_.drives,
        .images = &images_,
        .hibernateAvailable = deps_.hibernateAvailable,
        .playTestSound = deps_.playTestSound,
        .programFolder = deps_.programFolder,
        .dialogOwner = deps_.owner,
        .onEnableBoxesClicked = [this] { OnDiskCheckClick(); },
        .showGraph = deps_.showGraph,
    };
    hardDisksEntry_ = static_cast<int>(pages_.size());
    diskPages_.push_back(
        &AddPage(std::make_unique<DiskPage>(DiskPage::kCommonSlot, disks), kHardDisksPageData));
    // A page per kept disk: the slots of drive numbers that gave no disk would be built for
    // nothing, and sixteen of them cost start-up more than the disks do.
    for (int32_t slot = 0; slot < deps_.drives.Count(); ++slot)
        diskPages_.push_back(&AddPage(std::make_unique<DiskPage>(slot, disks), kDiskPageData + slot,
                                      hardDisksEntry_));
    AddPage(std::make_unique<LogPage>(), kLogPageData);
    // The pages are built when they are first shown (BuildPage).
    form_.SetDefaultButton(ok_);

    // Every way of closing only hides the window; the object lives until shut-down.
    form_.OnCloseQuery = [this](forms::Form& sender, bool& accept) {
        accept = false;
        sender.Hide();
        deps_.app.SyncTaskbarButton();
    };

    RefreshTexts();
    LoadValues();
}

TOptionsForm::~TOptionsForm() {
    // The pages' controls belong to the form's window tree; their objects go first.
    diskPages_.clear();
    general_ = nullptr;
    pages_.clear();
}

void TOptionsForm::BuildStrip() {
    auto& strip = form_.Add<forms::Panel>(
        {.bounds = {0, 0, kOptionsClientWidth, kStripHeight}, .align = forms::Align::Bottom});
    const int width = strip.ClientWidth();
    const auto button = [&](int fromRight, const char* text) {
        return &strip.Add<forms::Button>(
            {.bounds = {width - fromRight, kButtonTop, kButtonWidth, kButtonHeight}, .text = text});
    };
    ok_ = button(kOkFromRight, kOkText);
    apply_ = button(kApplyFromRight, kApplyText);
    cancel_ = button(kCancelFromRight, kCancelText);
    ok_->OnClick = [this](forms::Button&) { CloseWindow(true); };
    apply_->OnClick = [this](forms::Button&) {
        SaveValues();
        deps_.app.TrimWorkingSet();
    };
    cancel_->OnClick = [this](forms::Button&) { CloseWindow(false); };
}

void TOptionsForm::RefreshTexts() {
    form_.SetCaption(kOptionsCaption);
    ok_->SetText(kOkText);
    apply_->SetText(kApplyText);
    cancel_->SetText(kCancelText);
    BuildTree();
    for (PageEntry& entry : pages_)
        entry.page->RefreshTexts();
}

void TOptionsForm::BuildTree() {
    // Rebuilding selects on the way; the page switch waits for the item that is wanted.
    const bool wasQuiet = std::exchange(quietTree_, true);
    tree_->Clear();
    std::set<int> parents;
    for (PageEntry& entry : pages_) {
        const std::string text = entry.page->TreeText();
        const forms::TreeItem parent =
            entry.parent == kRoot ? nullptr : pages_[static_cast<size_t>(entry.parent)].item;
        entry.item = text.empty() ? nullptr : tree_->InsertItem(parent, text, false, entry.data);
        if (entry.parent != kRoot)
            parents.insert(entry.parent);
    }
    for (int parent : parents)
        tree_->Expand(pages_[static_cast<size_t>(parent)].item);
    tree_->Select(pages_.front().item);
    quietTree_ = wasQuiet;
}

void TOptionsForm::SwitchPage(forms::TreeItem item) {
    if (item == nullptr || quietTree_)
        return;
    for (PageEntry& entry : pages_)
        entry.page->Hide();
    std::vector<intptr_t> data;
    for (const PageEntry& entry : pages_)
        data.push_back(entry.data);
    if (const std::optional<size_t> chosen = PageForData(data, tree_->ItemData(item))) {
        SettingsPage& page = *pages_[*chosen].page;
        BuildPage(page);
        page.Show(tree_->ItemText(item));
    }
    form_.Update();
}

void TOptionsForm::BuildPage(SettingsPage& page) {
    if (page.IsBuilt())
        return;
    // The disk picture is needed by the disk pages only.
    const bool diskPage =
        std::find(diskPages_.begin(), diskPages_.end(), &page) != diskPages_.end();
    if (diskPage && images_.Count() == 0)
        images_.AddResource(deps_.resources, kDiskPictureResource, kDiskPictureTransparent);
    page.Build(*pageArea_);
    page.RefreshTexts();
    // Loaded in the unit now chosen, which may not be the stored one yet.
    const bool celsius = general_->Celsius();
    page.Load(SettingsAccess{deps_.options, celsius});
    page.UnitChanged(celsius);
}

void TOptionsForm::ShowPage(int32_t index) {
    RefreshTexts();
    LoadValues();
    Open(pages_.front().item, index);
}

void TOptionsForm::ShowDiskPage(int32_t index) {
    RefreshTexts();
    LoadValues();
    Open(tree_->FirstChild(pages_[static_cast<size_t>(hardDisksEntry_)].item), index);
}

void TOptionsForm::Open(forms::TreeItem first, int32_t steps) {
    forms::TreeItem item = first;
    for (int32_t n = 0; n < steps && item != nullptr; ++n)
        item = tree_->NextSibling(item);
    if (item == nullptr)
        item = pages_.front().item;

    // The page is chosen, and built, before the window shows: it appears whole.
    {
        const bool wasQuiet = std::exchange(quietTree_, true);
        tree_->Select(item);
        quietTree_ = wasQuiet;
    }
    SwitchPage(item);
    form_.CentreInWorkArea();
    form_.Show();
    form_.Update();
    tree_->SetFocus();
    deps_.app.SyncTaskbarButton();
    // The task-bar entry has just taken the foreground; the keyboard belongs to this window.
    SetForegroundWindow(form_.Handle());
    tree_->SetFocus();
    deps_.app.TrimWorkingSet();
}

void TOptionsForm::LoadValues() {
    // The pages remember the unit their level boxes show from here.
    const SettingsAccess access{deps_.options, deps_.options.General().ReadBool(key::UseCelsius)};
    for (PageEntry& entry : pages_)
        entry.page->Load(access);
    // The unit's click handler, for the unit now checked.
    OnUnitClick();
}

void TOptionsForm::SaveValues() {
    const SettingsAccess access{deps_.options, general_->Celsius()};
    for (PageEntry& entry : pages_)
        entry.page->Save(access);

    // The disks read their settings at once and are timed anew.
    deps_.drives.PollAll();
    deps_.drives.SetMonitoring(false);
    deps_.drives.ApplyPollIntervals();
    deps_.drives.SetMonitoring(true);
    if (deps_.updateMainIcon)
        deps_.updateMainIcon();
}

void TOptionsForm::OnUnitClick() {
    const bool celsius = general_->Celsius();
    for (PageEntry& entry : pages_)
        entry.page->UnitChanged(celsius);
}

void TOptionsForm::OnDiskCheckClick() {
    for (DiskPage* page : diskPages_)
        page->ApplyEnablingRules();
}

void TOptionsForm::CloseWindow(bool save) {
    if (save)
        SaveValues();
    form_.Close();
    deps_.app.TrimWorkingSet();
}

} // namespace korvane

// TOptionsForm: the settings window's frame, its General and Log pages, loading and saving.
#include "ui/options_form_win.h"

#include "drives/drives.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "settings/registry.h"
#include "toolkit/text.h"
#include "ui/about.h"
#include "ui/disk_page_win.h"

#include <algorithm>
#include <utility>

namespace korvane {

namespace {

constexpr int kCheckHeight = 22;
constexpr int kLabelHeight = 18;
constexpr int kComboHeight = 21;
constexpr int kEditHeight = 21;
constexpr int kGroupGap = 8;
constexpr int kInset = 15;
constexpr int kMainIconGroupHeight = 80;
constexpr int kUnitsGroupHeight = 75;
constexpr int kRadioLeft = 25;
constexpr int kRadioWidth = 150;
constexpr int kDaysTop = kCheckHeight + 28;
constexpr int kDaysWidth = 60;
constexpr int kDaysGap = 21;
constexpr int kLabelPad = 5;
constexpr int kComboTextPad = 12;
constexpr int kComboMinMargin = 6;

} // namespace

TOptionsForm::TOptionsForm(TOptionsFormDeps deps)
    : deps_(std::move(deps)), images_(kDiskPictureEdge, kDiskPictureEdge),
      form_(forms::FormArgs{.caption = kOptionsCaption,
                            .owner = deps_.owner,
                            .clientWidth = kOptionsClientWidth,
                            .clientHeight = kOptionsClientHeight,
                            .icon = LoadIconA(deps_.resources, "MAINICON")}) {
    images_.AddResource(deps_.resources, kDiskPictureResource, kDiskPictureTransparent);

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

    BuildGeneralPage();
    const DiskPageEnv environment{
        .images = &images_,
        .hibernateAvailable = deps_.hibernateAvailable,
        .playTestSound = deps_.playTestSound,
        .programFolder = deps_.programFolder,
        .dialogOwner = deps_.owner,
        .onEnableBoxesClicked = [this] { OnDiskCheckClick(); },
    };
    for (int32_t slot = -1; slot < TDrives::kMaxDrives; ++slot)
        slots_[static_cast<size_t>(slot + 1)] =
            std::make_unique<TDiskPage>(*pageArea_, slot, environment);
    BuildLogPage();
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
    for (auto& slot : slots_)
        slot.reset();
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

void TOptionsForm::BuildGeneralPage() {
    generalPage_ = &pageArea_->Add<forms::GroupBox>(
        {.bounds = {0, 0, kPageAreaWidth, kPageAreaHeight}, .text = ""});
    const int width = generalPage_->Width();
    autostart_ = &generalPage_->Add<forms::CheckBox>(
        {.bounds = {kInset, 20, width - kInset - 10, kCheckHeight}, .text = kAutostartText});

    const int groupWidth = width - 2 * kInset;
    const int iconTop = 20 + kCheckHeight + kGroupGap;
    mainIconGroup_ = &generalPage_->Add<forms::GroupBox>(
        {.bounds = {kInset, iconTop, groupWidth, kMainIconGroupHeight},
         .text = kMainIconGroupText});
    displayMainIcon_ = &mainIconGroup_->Add<forms::Label>(
        {.bounds = {kInset, 20, groupWidth - 2 * kInset, kLabelHeight},
         .text = kDisplayMainIconText});
    // The long middle choice must show whole in the closed box: where the font is wider than
    // usual the box takes some of the group's right margin. The label has the same font.
    const int needed = displayMainIcon_->MeasureText(kMainIconChoices[1]).width +
                       GetSystemMetrics(SM_CXVSCROLL) + kComboTextPad;
    forms::ComboBoxArgs list;
    list.bounds = {
        kInset, 20 + kLabelHeight,
        std::clamp(needed, groupWidth - 2 * kInset, groupWidth - kInset - kComboMinMargin),
        kComboHeight};
    list.items.assign(std::begin(kMainIconChoices), std::end(kMainIconChoices));
    mainIcon_ = &mainIconGroup_->Add<forms::ComboBox>(list);

    const int unitsTop = iconTop + kMainIconGroupHeight + kGroupGap;
    unitsGroup_ = &generalPage_->Add<forms::GroupBox>(
        {.bounds = {kInset, unitsTop, groupWidth, kUnitsGroupHeight}, .text = kUnitsGroupText});
    celsius_ = &unitsGroup_->Add<forms::RadioButton>(
        {.bounds = {kRadioLeft, 20, kRadioWidth, kCheckHeight}, .text = kCelsiusText});
    fahrenheit_ = &unitsGroup_->Add<forms::RadioButton>(
        {.bounds = {kRadioLeft, 20 + kCheckHeight, kRadioWidth, kCheckHeight},
         .text = kFahrenheitText});
    celsius_->OnClick = [this](forms::RadioButton&) { OnUnitClick(); };
    fahrenheit_->OnClick = [this](forms::RadioButton&) { OnUnitClick(); };
}

void TOptionsForm::BuildLogPage() {
    logPage_ = &pageArea_->Add<forms::GroupBox>(
        {.bounds = {0, 0, kPageAreaWidth, kPageAreaHeight}, .text = ""});
    logPage_->SetVisible(false);
    logEnabled_ = &logPage_->Add<forms::CheckBox>(
        {.bounds = {kInset, 20, logPage_->Width() - kInset - 10, kCheckHeight},
         .text = kLogEnabledText});
    logEnabled_->OnClick = [this](forms::CheckBox&) { OnLogEnabledClick(); };

    storeFor_ = &logPage_->Add<forms::Label>({.bounds = {}, .text = kStoreLogText});
    const forms::TextSize store = storeFor_->MeasureText(kStoreLogText);
    storeFor_->SetBounds({kInset, kDaysTop + (kEditHeight - store.height) / 2,
                          store.width + kLabelPad, store.height});
    logDays_ = &logPage_->Add<forms::Edit>(
        {.bounds = {kInset + store.width + kLabelPad, kDaysTop, kDaysWidth, kEditHeight},
         .text = "",
         .digitsOnly = true});
    logDays_->OnLeave = [](forms::Edit& box) { box.SetText(CheckedLogDays(box.Text())); };
    logDaysSpin_ = &logPage_->Add<forms::UpDown>(
        {.buddy = logDays_, .minimum = kMinLogDays, .maximum = kMaxLogDays});

    // The spin control sits at the box's right edge, inside its 60 pixels.
    days_ = &logPage_->Add<forms::Label>({.bounds = {}, .text = kDaysText});
    const forms::TextSize days = days_->MeasureText(kDaysText);
    const forms::Rect box = logDays_->Bounds();
    days_->SetBounds({box.left + box.width + kDaysGap, kDaysTop + (kEditHeight - days.height) / 2,
                      days.width + kLabelPad, days.height});
}

TDiskPage* TOptionsForm::Slot(int32_t slot) const {
    if (slot < -1 || slot >= TDrives::kMaxDrives)
        return nullptr;
    return slots_[static_cast<size_t>(slot + 1)].get();
}

void TOptionsForm::RefreshTexts() {
    form_.SetCaption(kOptionsCaption);
    ok_->SetText(kOkText);
    apply_->SetText(kApplyText);
    cancel_->SetText(kCancelText);
    BuildTree();

    autostart_->SetText(kAutostartText);
    mainIconGroup_->SetText(kMainIconGroupText);
    displayMainIcon_->SetText(kDisplayMainIconText);
    for (int i = 0; i < mainIcon_->Count(); ++i)
        mainIcon_->SetItemText(i, kMainIconChoices[i]);
    unitsGroup_->SetText(kUnitsGroupText);
    celsius_->SetText(kCelsiusText);
    fahrenheit_->SetText(kFahrenheitText);
    logEnabled_->SetText(kLogEnabledText);
    storeFor_->SetText(kStoreLogText);
    days_->SetText(kDaysText);

    for (int32_t slot = -1; slot < TDrives::kMaxDrives; ++slot)
        Slot(slot)->SetTexts(slot >= 0 ? deps_.drives.GetDrive(slot)
                                       : static_cast<const TDrive*>(nullptr));
}

void TOptionsForm::BuildTree() {
    tree_->Clear();
    generalItem_ = tree_->InsertItem(nullptr, kTreeGeneral, true, kGeneralPageData);
    hardDisksItem_ = tree_->InsertItem(nullptr, kTreeHardDisks, false, kHardDisksPageData);
    tree_->InsertItem(nullptr, kTreeLog, false, kLogPageData);
    while (forms::TreeItem child = tree_->FirstChild(hardDisksItem_))
        tree_->DeleteItem(child);
    for (int32_t i = 0; i < deps_.drives.Count(); ++i)
        tree_->InsertItem(hardDisksItem_, deps_.drives.GetDrive(i)->ModelText(), false,
                          kDiskPageData + i);
    tree_->Expand(hardDisksItem_);
    tree_->Select(generalItem_);
}

void TOptionsForm::HidePages() {
    generalPage_->SetVisible(false);
    for (auto& slot : slots_)
        slot->SetVisible(false);
    logPage_->SetVisible(false);
}

void TOptionsForm::SwitchPage(forms::TreeItem item) {
    if (item == nullptr)
        return; // the tree is being rebuilt
    HidePages();
    const PageChoice choice = PageForData(tree_->ItemData(item));
    const std::string caption = PageCaption(tree_->ItemText(item));
    switch (choice.page) {
    case OptionsPage::General:
        generalPage_->SetText(caption);
        generalPage_->SetVisible(true);
        break;
    case OptionsPage::Log:
        logPage_->SetText(caption);
        logPage_->SetVisible(true);
        break;
    case OptionsPage::Common:
        Slot(-1)->ShowHeader();
        Slot(-1)->SetHeaderCaption(PageCaption(kCommonPageCaption));
        Slot(-1)->SetVisible(true);
        Slot(-1)->Raise();
        form_.Update();
        return;
    case OptionsPage::Disk:
        if (TDiskPage* page = Slot(choice.disk)) {
            page->SetHeaderCaption(caption);
            page->SetVisible(true);
            page->Raise();
        }
        break;
    case OptionsPage::None:
        break;
    }
    // Raised above the siblings that share the page area.
    for (forms::Control* page :
         {static_cast<forms::Control*>(generalPage_), static_cast<forms::Control*>(logPage_)}) {
        if (page->Visible())
            SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    form_.Update();
}

void TOptionsForm::ShowPage(int32_t index) {
    RefreshTexts();
    LoadValues();
    Open(generalItem_, index);
}

void TOptionsForm::ShowDiskPage(int32_t index) {
    RefreshTexts();
    LoadValues();
    Open(tree_->FirstChild(hardDisksItem_), index);
}

void TOptionsForm::Open(forms::TreeItem first, int32_t steps) {
    forms::TreeItem item = first;
    for (int32_t n = 0; n < steps && item != nullptr; ++n)
        item = tree_->NextSibling(item);
    if (item == nullptr)
        item = generalItem_;

    form_.CentreInWorkArea();
    form_.Show();
    tree_->Select(item);
    form_.Update();
    tree_->SetFocus();
    deps_.app.SyncTaskbarButton();
    // The task-bar entry has just taken the foreground; the keyboard belongs to this window.
    SetForegroundWindow(form_.Handle());
    tree_->SetFocus();
    deps_.app.TrimWorkingSet();
}

void TOptionsForm::LoadValues() {
    TOptionsSection& general = deps_.options.General();
    autostart_->SetChecked(AutostartEnabled(deps_.registry, kAutostartValueName));
    // The pages remember the unit their level boxes show from here.
    const bool celsius = general.ReadBool(key::UseCelsius.name);
    // Outside the list: no selection.
    mainIcon_->SetItemIndex(general.ReadInteger(key::ShowMainIcon.name));

    Slot(-1)->Load(deps_.options, static_cast<const TDrive*>(nullptr), celsius);
    for (int32_t i = 0; i < deps_.drives.Count() && i < TDrives::kMaxDrives; ++i)
        Slot(i)->Load(deps_.options, deps_.drives.GetDrive(i), celsius);

    (celsius ? celsius_ : fahrenheit_)->SetChecked(true);
    OnUnitClick();

    const int32_t stored = general.ReadInteger(key::LogDays.name);
    const int32_t days = LoadedLogDays(stored);
    if (days != stored)
        general.WriteInteger(key::LogDays.name, days);
    logDays_->SetText(IntToStr(days));
    logEnabled_->SetChecked(general.ReadBool(key::LogEnabled.name));
    OnLogEnabledClick();
}

void TOptionsForm::SaveValues() {
    TOptionsSection& general = deps_.options.General();
    SetAutostart(deps_.registry, kAutostartValueName, deps_.programPath, autostart_->Checked());
    const bool celsius = celsius_->Checked();
    general.WriteBool(key::UseCelsius.name, celsius);
    general.WriteInteger(key::ShowMainIcon.name, mainIcon_->ItemIndex());

    Slot(-1)->Save(deps_.options, celsius);
    for (int32_t i = 0; i < deps_.drives.Count() && i < TDrives::kMaxDrives; ++i)
        Slot(i)->Save(deps_.options, celsius);

    general.WriteBool(key::LogEnabled.name, logEnabled_->Checked());
    // Enter presses OK without the box losing the focus: its check runs here too, so that an
    // emptied box never stores 0 days (which would expire every record).
    logDays_->SetText(CheckedLogDays(logDays_->Text()));
    general.WriteString(key::LogDays.name, logDays_->Text());

    // The disks read their settings at once and are timed anew.
    deps_.drives.PollAll();
    deps_.drives.SetMonitoring(false);
    deps_.drives.ApplyPollIntervals();
    deps_.drives.SetMonitoring(true);
    if (deps_.updateMainIcon)
        deps_.updateMainIcon();
}

void TOptionsForm::OnUnitClick() {
    const bool celsius = celsius_->Checked();
    for (auto& slot : slots_)
        slot->SwitchUnit(celsius);
}

void TOptionsForm::OnLogEnabledClick() {
    const bool on = logEnabled_->Checked();
    storeFor_->SetEnabled(on);
    logDays_->SetEnabled(on);
    logDaysSpin_->SetEnabled(on);
    days_->SetEnabled(on);
}

void TOptionsForm::OnDiskCheckClick() {
    for (auto& slot : slots_)
        slot->ApplyEnablingRules();
}

void TOptionsForm::CloseWindow(bool save) {
    if (save)
        SaveValues();
    form_.Close();
    deps_.app.TrimWorkingSet();
}

} // namespace korvane

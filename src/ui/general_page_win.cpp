// The General page: its controls, and the autostart value, ShowMainIcon, UseCelsius,
// EventLogEnabled and MetricsFile.
#include "ui/general_page_win.h"

#include "settings/keys.h"
#include "settings/options.h"
#include "settings/registry.h"
#include "toolkit/forms/dialogs_win.h"
#include "toolkit/forms/z_order_win.h"
#include "toolkit/text.h"
#include "ui/options_form.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace korvane {

namespace {

constexpr int kLabelHeight = 18;
constexpr int kComboHeight = 21;
constexpr int kGroupGap = 8;
constexpr int kMainIconGroupHeight = 80;
constexpr int kUnitsGroupHeight = 75;
constexpr int kRadioLeft = 25;
constexpr int kRadioWidth = 150;
constexpr int kComboTextPad = 12;
constexpr int kComboMinMargin = 6;
constexpr int kMetricsGroupHeight = 55;
constexpr int kBrowseWidth = 25;
constexpr int kEditHeight = 21;

} // namespace

GeneralPage::GeneralPage(GeneralPageDeps deps) : deps_(std::move(deps)) {}

bool GeneralPage::Celsius() const {
    return IsBuilt() ? celsius_->Checked() : loadedCelsius_;
}

void GeneralPage::Build(forms::Control& pageArea) {
    page_ = &pageArea.Add<forms::GroupBox>(
        {.bounds = {0, 0, kPageAreaWidth, kPageAreaHeight}, .text = ""});
    const int width = page_->Width();
    autostart_ = &page_->Add<forms::CheckBox>(
        {.bounds = {kPageInset, 20, width - kPageInset - 10, kPageCheckHeight},
         .text = kAutostartText});

    const int groupWidth = width - 2 * kPageInset;
    const int iconTop = 20 + kPageCheckHeight + kGroupGap;
    mainIconGroup_ = &page_->Add<forms::GroupBox>(
        {.bounds = {kPageInset, iconTop, groupWidth, kMainIconGroupHeight},
         .text = kMainIconGroupText});
    displayMainIcon_ = &mainIconGroup_->Add<forms::Label>(
        {.bounds = {kPageInset, 20, groupWidth - 2 * kPageInset, kLabelHeight},
         .text = kDisplayMainIconText});
    // The long middle choice must show whole in the closed box: where the font is wider than
    // usual the box takes some of the group's right margin. The label has the same font.
    const int needed = displayMainIcon_->MeasureText(kMainIconChoices[1]).width +
                       GetSystemMetrics(SM_CXVSCROLL) + kComboTextPad;
    forms::ComboBoxArgs list;
    list.bounds = {
        kPageInset, 20 + kLabelHeight,
        std::clamp(needed, groupWidth - 2 * kPageInset, groupWidth - kPageInset - kComboMinMargin),
        kComboHeight};
    list.items.assign(std::begin(kMainIconChoices), std::end(kMainIconChoices));
    mainIcon_ = &mainIconGroup_->Add<forms::ComboBox>(list);

    const int unitsTop = iconTop + kMainIconGroupHeight + kGroupGap;
    unitsGroup_ = &page_->Add<forms::GroupBox>(
        {.bounds = {kPageInset, unitsTop, groupWidth, kUnitsGroupHeight}, .text = kUnitsGroupText});
    celsius_ = &unitsGroup_->Add<forms::RadioButton>(
        {.bounds = {kRadioLeft, 20, kRadioWidth, kPageCheckHeight}, .text = kCelsiusText});
    fahrenheit_ = &unitsGroup_->Add<forms::RadioButton>(
        {.bounds = {kRadioLeft, 20 + kPageCheckHeight, kRadioWidth, kPageCheckHeight},
         .text = kFahrenheitText});
    const auto clicked = [this](forms::RadioButton&) {
        if (deps_.onUnitClick)
            deps_.onUnitClick();
    };
    celsius_->OnClick = clicked;
    fahrenheit_->OnClick = clicked;

    const int eventLogTop = unitsTop + kUnitsGroupHeight + kGroupGap;
    eventLog_ = &page_->Add<forms::CheckBox>(
        {.bounds = {kPageInset, eventLogTop, width - kPageInset - 10, kPageCheckHeight},
         .text = kEventLogText});
    const int metricsTop = eventLogTop + kPageCheckHeight + kGroupGap;
    metricsGroup_ = &page_->Add<forms::GroupBox>(
        {.bounds = {kPageInset, metricsTop, groupWidth, kMetricsGroupHeight},
         .text = kMetricsGroupText});
    const int editWidth = groupWidth - 2 * kPageInset - kBrowseWidth - 4;
    metricsFile_ =
        &metricsGroup_->Add<forms::Edit>({.bounds = {kPageInset, 22, editWidth, kEditHeight},
                                          .text = "",
                                          .readOnly = false,
                                          .digitsOnly = false,
                                          .multiLine = false,
                                          .border = true});
    browseMetrics_ = &metricsGroup_->Add<forms::Button>(
        {.bounds = {kPageInset + editWidth + 4, 22, kBrowseWidth, kEditHeight}, .text = "..."});
    browseMetrics_->OnClick = [this](forms::Button&) {
        forms::OpenFileDialog dialog;
        dialog.title = kChooseMetricsTitle;
        dialog.options = forms::FileDialogOptions::MayBeNew;
        dialog.filter = kMetricsFilter;
        dialog.defaultExt = "prom";
        dialog.fileName = metricsFile_->Text();
        dialog.initialDir = FolderOf(metricsFile_->Text());
        if (dialog.Execute(GetAncestor(page_->Handle(), GA_ROOT)))
            metricsFile_->SetText(dialog.fileName);
    };
}

std::string GeneralPage::TreeText() const {
    return kTreeGeneral;
}

void GeneralPage::RefreshTexts() {
    if (!IsBuilt())
        return;
    autostart_->SetText(kAutostartText);
    mainIconGroup_->SetText(kMainIconGroupText);
    displayMainIcon_->SetText(kDisplayMainIconText);
    for (int i = 0; i < mainIcon_->Count(); ++i)
        mainIcon_->SetItemText(i, kMainIconChoices[i]);
    unitsGroup_->SetText(kUnitsGroupText);
    celsius_->SetText(kCelsiusText);
    fahrenheit_->SetText(kFahrenheitText);
    eventLog_->SetText(kEventLogText);
    metricsGroup_->SetText(kMetricsGroupText);
}

void GeneralPage::Load(const SettingsAccess& access) {
    loadedCelsius_ = access.celsius;
    if (!IsBuilt())
        return;
    autostart_->SetChecked(AutostartEnabled(deps_.registry, kAutostartValueName));
    // Outside the list: no selection.
    mainIcon_->SetItemIndex(access.options.General().ReadInteger(key::ShowMainIcon.name));
    (access.celsius ? celsius_ : fahrenheit_)->SetChecked(true);
    // On unless turned off: a settings file from before the box has no key.
    const std::string eventLog = access.options.General().ReadString(key::EventLogEnabled.name);
    eventLog_->SetChecked(eventLog.empty() ||
                          access.options.General().ReadBool(key::EventLogEnabled.name));
    metricsFile_->SetText(access.options.General().ReadString(key::MetricsFile.name));
}

void GeneralPage::Save(const SettingsAccess& access) {
    if (!IsBuilt())
        return;
    TOptionsSection& general = access.options.General();
    SetAutostart(deps_.registry, kAutostartValueName, deps_.programPath, autostart_->Checked());
    general.WriteBool(key::UseCelsius.name, Celsius());
    general.WriteInteger(key::ShowMainIcon.name, mainIcon_->ItemIndex());
    general.WriteBool(key::EventLogEnabled.name, eventLog_->Checked());
    general.WriteString(key::MetricsFile.name, Trim(metricsFile_->Text()));
}

void GeneralPage::Show(const std::string& itemText) {
    page_->SetText(PageCaption(itemText));
    page_->SetVisible(true);
    forms::RaiseAboveSiblings(*page_);
}

void GeneralPage::Hide() {
    if (IsBuilt())
        page_->SetVisible(false);
}

} // namespace korvane

// The General page: its controls, and the autostart value, ShowMainIcon and UseCelsius.
#include "ui/general_page_win.h"

#include "settings/keys.h"
#include "settings/options.h"
#include "settings/registry.h"
#include "toolkit/forms/z_order_win.h"
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
}

void GeneralPage::Load(const SettingsAccess& access) {
    loadedCelsius_ = access.celsius;
    if (!IsBuilt())
        return;
    autostart_->SetChecked(AutostartEnabled(deps_.registry, kAutostartValueName));
    // Outside the list: no selection.
    mainIcon_->SetItemIndex(access.options.General().ReadInteger(key::ShowMainIcon.name));
    (access.celsius ? celsius_ : fahrenheit_)->SetChecked(true);
}

void GeneralPage::Save(const SettingsAccess& access) {
    if (!IsBuilt())
        return;
    TOptionsSection& general = access.options.General();
    SetAutostart(deps_.registry, kAutostartValueName, deps_.programPath, autostart_->Checked());
    general.WriteBool(key::UseCelsius.name, Celsius());
    general.WriteInteger(key::ShowMainIcon.name, mainIcon_->ItemIndex());
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

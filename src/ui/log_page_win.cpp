// The Log page: its controls, LogEnabled and LogDays.
#include "ui/log_page_win.h"

#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/forms/z_order_win.h"
#include "toolkit/text.h"
#include "ui/options_form.h"

namespace korvane {

namespace {

constexpr int kEditHeight = 21;
constexpr int kDaysTop = kPageCheckHeight + 28;
constexpr int kDaysWidth = 60;
constexpr int kDaysGap = 21;
constexpr int kLabelPad = 5;

} // namespace

void LogPage::Build(forms::Control& pageArea) {
    page_ = &pageArea.Add<forms::GroupBox>(
        {.bounds = {0, 0, kPageAreaWidth, kPageAreaHeight}, .text = ""});
    page_->SetVisible(false);
    logEnabled_ = &page_->Add<forms::CheckBox>(
        {.bounds = {kPageInset, 20, page_->Width() - kPageInset - 10, kPageCheckHeight},
         .text = kLogEnabledText});
    logEnabled_->OnClick = [this](forms::CheckBox&) { OnLogEnabledClick(); };

    storeFor_ = &page_->Add<forms::Label>({.bounds = {}, .text = kStoreLogText});
    const forms::TextSize store = storeFor_->MeasureText(kStoreLogText);
    storeFor_->SetBounds({kPageInset, kDaysTop + (kEditHeight - store.height) / 2,
                          store.width + kLabelPad, store.height});
    logDays_ = &page_->Add<forms::Edit>(
        {.bounds = {kPageInset + store.width + kLabelPad, kDaysTop, kDaysWidth, kEditHeight},
         .text = "",
         .digitsOnly = true});
    logDays_->OnLeave = [](forms::Edit& box) { box.SetText(CheckedLogDays(box.Text())); };
    logDaysSpin_ = &page_->Add<forms::UpDown>(
        {.buddy = logDays_, .minimum = kMinLogDays, .maximum = kMaxLogDays});

    // The spin control sits at the box's right edge, inside its 60 pixels.
    days_ = &page_->Add<forms::Label>({.bounds = {}, .text = kDaysText});
    const forms::TextSize days = days_->MeasureText(kDaysText);
    const forms::Rect box = logDays_->Bounds();
    days_->SetBounds({box.left + box.width + kDaysGap, kDaysTop + (kEditHeight - days.height) / 2,
                      days.width + kLabelPad, days.height});
}

std::string LogPage::TreeText() const {
    return kTreeLog;
}

void LogPage::RefreshTexts() {
    if (!IsBuilt())
        return;
    logEnabled_->SetText(kLogEnabledText);
    storeFor_->SetText(kStoreLogText);
    days_->SetText(kDaysText);
}

void LogPage::Load(const SettingsAccess& access) {
    TOptionsSection& general = access.options.General();
    const int32_t stored = general.ReadInteger(key::LogDays.name);
    const int32_t days = LoadedLogDays(stored);
    if (days != stored)
        general.WriteInteger(key::LogDays.name, days);
    if (!IsBuilt())
        return;
    logDays_->SetText(IntToStr(days));
    logEnabled_->SetChecked(general.ReadBool(key::LogEnabled.name));
    OnLogEnabledClick();
}

void LogPage::Save(const SettingsAccess& access) {
    if (!IsBuilt())
        return;
    TOptionsSection& general = access.options.General();
    general.WriteBool(key::LogEnabled.name, logEnabled_->Checked());
    // Enter presses OK without the box losing the focus: its check runs here too, so that an
    // emptied box never stores 0 days (which would expire every record).
    logDays_->SetText(CheckedLogDays(logDays_->Text()));
    general.WriteString(key::LogDays.name, logDays_->Text());
}

void LogPage::Show(const std::string& itemText) {
    page_->SetText(PageCaption(itemText));
    page_->SetVisible(true);
    forms::RaiseAboveSiblings(*page_);
}

void LogPage::Hide() {
    if (IsBuilt())
        page_->SetVisible(false);
}

void LogPage::OnLogEnabledClick() {
    const bool on = logEnabled_->Checked();
    storeFor_->SetEnabled(on);
    logDays_->SetEnabled(on);
    logDaysSpin_->SetEnabled(on);
    days_->SetEnabled(on);
}

} // namespace korvane

// A hard-disk page: its frame (header, outer tabs, "General" tab), the enabling rules, loading,
// saving and the unit switch. The level and control tabs are built in their own files.
#include "ui/disk_page_win.h"

#include "drives/drives.h"
#include "settings/keys.h"
#include "settings/options.h"
#include "toolkit/forms/z_order_win.h"
#include "ui/disk_page_rules.h"
#include "ui/disk_page_texts.h"
#include "ui/options_form.h"

#include <cmath>
#include <utility>

namespace korvane {

using namespace disk_page;

namespace {

// Each caption and value label of the header takes half of what the picture leaves.
int InfoLabelWidth(int headerClientWidth) {
    return static_cast<int>(std::lround((headerClientWidth - 103) / 2.0));
}

} // namespace

DiskPage::DiskPage(int slot, DiskPageDeps deps) : slot_(slot), deps_(std::move(deps)) {}

void DiskPage::Build(forms::Control& pageArea) {
    page_ = &pageArea.Add<forms::Panel>(
        {.bounds = {0, 0, pageArea.ClientWidth(), pageArea.ClientHeight()},
         .align = forms::Align::Client});
    page_->SetVisible(false);
    BuildHeader();
    const int top = header_->Height() + kTabsGap;
    tabs_ = &page_->Add<forms::TabControl>(
        {.bounds = {0, top, page_->ClientWidth(), page_->ClientHeight() - top},
         .tabs = {kGeneralTab, kLevelsTab, kControlTab}});
    levelsPage_ = tabs_->Page(1);
    controlPage_ = tabs_->Page(2);
    BuildGeneralTab(*tabs_->Page(0));
    tabs_->OnChange = [this](forms::TabControl&) { BuildChosenTab(); };
    ApplyEnablingRules();
}

void DiskPage::BuildChosenTab() {
    const forms::Panel* chosen = tabs_->Page(tabs_->SelectedIndex());
    if (chosen == levelsPage_) {
        BuildLevelsControls();
    } else if (chosen == controlPage_) {
        BuildControlControls();
    }
}

void DiskPage::BuildHeader() {
    const int height = IsCommon() ? kCommonHeaderHeight : kHeaderHeight;
    header_ =
        &page_->Add<forms::GroupBox>({.bounds = {0, 0, page_->ClientWidth(), height}, .text = ""});
    header_->SetAlign(forms::Align::Top);
    const int cw = header_->ClientWidth();
    if (IsCommon()) {
        note_ = &header_->Add<forms::WordWrapLabel>(
            {.bounds = {10, 20, cw - 20, header_->ClientHeight() - 10},
             .text = kCommonNote,
             .align = forms::TextAlign::Center});
        return;
    }
    picture_ = &header_->Add<forms::ImageButton>(
        {.bounds = {kPictureLeft, kPictureTop, kPictureSize, kPictureSize},
         .images = deps_.images});
    const int width = InfoLabelWidth(cw);
    const char* captions[3] = {kModelCaption, kSerialCaption, kCapacityCaption};
    for (size_t i = 0; i < captions_.size(); ++i) {
        captions_[i] = &header_->Add<forms::Label>(
            {.bounds = {kCaptionLeft, kInfoTops[i], width, kInfoLabelHeight}, .text = captions[i]});
        values_[i] = &header_->Add<forms::Label>(
            {.bounds = {kCaptionLeft + width, kInfoTops[i], width, kInfoLabelHeight}, .text = ""});
    }
    // Beside the header's caption, at the right end of its line, clear of the disk's facts.
    constexpr int kGraphWidth = 75;
    constexpr int kGraphHeight = 19;
    graph_ = &header_->Add<forms::Button>(
        {.bounds = {cw - kGraphWidth - 8, 0, kGraphWidth, kGraphHeight}, .text = kGraphButtonText});
    graph_->OnClick = [this](forms::Button&) {
        if (deps_.showGraph)
            deps_.showGraph(slot_);
    };
}

forms::TabControl& DiskPage::InnerTabs(forms::Panel& tab, const std::vector<std::string>& texts) {
    const forms::FontSpec normal = tab.Font();
    auto& inner = tab.Add<forms::TabControl>(
        {.bounds = {10, 10, tab.ClientWidth() - 20, tab.ClientHeight() - 20},
         .tabs = texts,
         .style = forms::TabStyle::FlatButtons});
    inner.SetFontBold(true);
    for (int i = 0; i < inner.Count(); ++i) {
        inner.Page(i)->SetFont(normal);
    }
    return inner;
}

void DiskPage::BuildGeneralTab(forms::Panel& tab) {
    const int width = tab.ClientWidth() - 2 * kIndent;
    int top = 15;
    if (!IsCommon()) {
        // The long texts may use the margin on the right.
        const int boxWidth = tab.ClientWidth() - kIndent - 4;
        enable_ =
            &tab.Add<forms::CheckBox>({.bounds = {kIndent, 10, boxWidth, 18}, .text = kEnableBox});
        common_ =
            &tab.Add<forms::CheckBox>({.bounds = {kIndent, 32, boxWidth, 18}, .text = kCommonBox});
        const auto clicked = [this](forms::CheckBox&) {
            ApplyEnablingRules();
            if (deps_.onEnableBoxesClicked) {
                deps_.onEnableBoxesClicked();
            }
        };
        enable_->OnClick = clicked;
        common_->OnClick = clicked;
        top = 32 + 18 + 12;
    }
    pollGroup_ =
        &tab.Add<forms::GroupBox>({.bounds = {kIndent, top, width, 75}, .text = kPollGroup});
    pollGroup_->Add<forms::Label>(
        {.bounds = {kIndent, 20, width - 2 * kIndent, 18}, .text = kPollLabel});
    interval_ = &pollGroup_->Add<forms::Edit>(
        {.bounds = {kIndent, 38, kBoxWidth, kBoxHeight}, .text = "1", .digitsOnly = true});
    intervalSpin_ = &pollGroup_->Add<forms::UpDown>(
        {.buddy = interval_, .minimum = kIntervalMin, .maximum = kIntervalMax});
    interval_->OnLeave = [this](forms::Edit&) { CheckInterval(); };
    units_ =
        &pollGroup_->Add<forms::ComboBox>({.bounds = {kIndent + kBoxWidth + 5, 38, 100, kBoxHeight},
                                           .items = {kPollSecond, kPollMinute}});

    trayGroup_ = &tab.Add<forms::GroupBox>(
        {.bounds = {kIndent, top + 75 + 16, width, 75}, .text = kTrayGroup});
    trayGroup_->Add<forms::Label>(
        {.bounds = {kIndent, 20, width - 2 * kIndent, 18}, .text = kTrayLabel});
    showInTray_ = &trayGroup_->Add<forms::ComboBox>(
        {.bounds = {kIndent, 38, 200, kBoxHeight},
         .items = {kTrayAlways, kTrayOnWarning, kTrayOnCritical, kTrayNever}});
}

const TDrive* DiskPage::Drive() const {
    return IsCommon() || deps_.drives == nullptr ? nullptr : deps_.drives->GetDrive(slot_);
}

std::string DiskPage::TreeText() const {
    if (IsCommon()) {
        return kTreeHardDisks;
    }
    const TDrive* drive = Drive();
    return drive != nullptr ? drive->ModelText() : std::string();
}

void DiskPage::Show(const std::string& itemText) {
    if (IsCommon()) {
        header_->SetVisible(true);
        header_->SetText(kCommonCaption);
    } else {
        header_->SetText(PageCaption(itemText));
    }
    page_->SetVisible(true);
    forms::RaiseAboveSiblings(*page_);
}

void DiskPage::Hide() {
    if (IsBuilt()) {
        page_->SetVisible(false);
    }
}

void DiskPage::RefreshTexts() {
    if (!IsBuilt()) {
        return;
    }
    const TDrive* drive = Drive();
    if (drive == nullptr) {
        SetTexts(nullptr);
        return;
    }
    const DiskFacts facts = DiskFactsOf(*drive);
    SetTexts(&facts);
}

void DiskPage::SetTexts(const DiskFacts* disk) {
    if (IsCommon()) {
        return;
    }
    values_[0]->SetText(disk != nullptr ? disk->model : std::string());
    values_[1]->SetText(disk != nullptr ? disk->serialNumber : std::string());
    values_[2]->SetText(disk != nullptr ? disk->capacityText : std::string());
}

void DiskPage::ApplyEnablingRules() {
    if (!IsBuilt()) {
        return;
    }
    const DiskPageEnabling rules =
        DecideEnabling(IsCommon(), enable_ != nullptr && enable_->Checked(),
                       common_ != nullptr && common_->Checked());
    if (common_ != nullptr) {
        common_->SetEnabled(rules.commonBoxEnabled);
    }
    std::vector<std::string> texts;
    for (int i = 0; i < tabs_->Count(); ++i) {
        texts.push_back(tabs_->TabText(i));
    }
    for (const TabEdit& edit : PlanTabs(texts, rules.ownTabs)) {
        if (edit.kind == TabEdit::Delete) {
            tabs_->DeleteTab(edit.index);
        } else {
            tabs_->InsertTab(edit.index, edit.text,
                             edit.text == kLevelsTab ? *levelsPage_ : *controlPage_);
        }
    }
    pollGroup_->SetVisible(rules.groupsVisible);
    trayGroup_->SetVisible(rules.groupsVisible);
}

void DiskPage::CheckInterval() {
    const std::string text = interval_->Text();
    const std::string checked = CheckedInterval(text);
    if (checked != text) {
        interval_->SetText(checked);
    }
}

void DiskPage::CheckBeforeSave() {
    // Enter presses OK while a box still has the focus, and a paste passes the digits-only rule:
    // every box is checked here, whatever path saves, so that nothing is stored that is not a
    // number within its range (an emptied critical box would make every reading critical).
    CheckInterval();
    // A level box that still shows what it was filled with stands for the stored level, which
    // may be higher than typing allows (a level loaded into Fahrenheit).
    const auto edited = [this](size_t i) {
        return levelTabs_ != nullptr && levels_[i].box->Text() != levels_[i].origin.filledText;
    };
    if (edited(0)) {
        CheckWarning();
    }
    if (edited(1)) {
        CheckCritical();
    }
    // A warning level above the range brings the critical one to the top, and itself below it.
    if (edited(0)) {
        CheckWarning();
    }
}

void DiskPage::Load(const SettingsAccess& access) {
    // Without controls there is nothing to fill, and so nothing for Save to write back.
    if (!IsBuilt()) {
        source_.reset();
        return;
    }
    const TDrive* drive = Drive();
    if (drive == nullptr) {
        Load(access.options, nullptr, access.celsius);
        return;
    }
    const DiskFacts facts = DiskFactsOf(*drive);
    Load(access.options, &facts, access.celsius);
}

void DiskPage::Load(TOptions& options, const DiskFacts* disk, bool celsius) {
    if (!IsCommon() && disk == nullptr) {
        source_.reset();
        return;
    }
    source_ = DiskPageSource{IsCommon() ? key::Common.name : disk->modelText, !IsCommon(),
                             disk != nullptr && disk->hasTemperature};
    const TOptionsSection& section = options.GetDriveSection(source_->settingsName);
    stored_ = StoredDiskPageValues(section, !IsCommon());
    Fill(ReadDiskPageValues(section, IsCommon() ? nullptr : disk), celsius);
}

void DiskPage::Fill(const DiskPageValues& v, bool celsius) {
    filled_ = v;
    if (enable_ != nullptr) {
        enable_->SetChecked(v.enableTempControl);
        enable_->SetEnabled(source_->hadTemperature);
        common_->SetChecked(v.useCommonSettings);
    }
    ApplyEnablingRules();
    interval_->SetText(v.pollInterval);
    units_->SetItemIndex(v.pollUnits);
    showInTray_->SetItemIndex(v.showInTray);
    celsius_ = celsius;
    const std::string* stored[2] = {&v.warningLevel, &v.criticalLevel};
    for (size_t i = 0; i < levels_.size(); ++i) {
        levels_[i].origin = FillLevel(BoxNumber(*stored[i]), celsius);
    }
    FillLevels();
    FillAlarms();
}

void DiskPage::FillAlarms() {
    if (controlTabs_ == nullptr) {
        return;
    }
    for (size_t i = 0; i < alarms_.size(); ++i) {
        const AlarmSettings& a = filled_.alarms[i];
        const AlarmControls& c = alarms_[i];
        c.showMessage->SetChecked(a.showMessage);
        c.playSound->SetChecked(a.playSound);
        c.soundFile->SetText(a.soundFile);
        c.executeApp->SetChecked(a.executeApp);
        c.application->SetText(a.application);
        c.poweroff->SetChecked(a.poweroff);
        c.method->SetItemIndex(a.poweroffMethod);
        EnableDependants(c);
    }
}

DiskPageValues DiskPage::Collect(bool celsius) const {
    // The tabs whose controls are not built keep what the page was filled with.
    DiskPageValues v = filled_;
    v.enableTempControl = enable_ != nullptr && enable_->Checked();
    v.useCommonSettings = common_ != nullptr && common_->Checked();
    v.pollInterval = interval_->Text();
    v.pollUnits = units_->ItemIndex();
    v.showInTray = showInTray_->ItemIndex();
    if (levelTabs_ != nullptr) {
        for (size_t i = 0; i < colors_.size(); ++i) {
            v.colors[2 * i] = colors_[i].text->ColorValue();
            v.colors[2 * i + 1] = colors_[i].background->ColorValue();
        }
    }
    v.warningLevel = StoredLevel(levels_[0].origin, LevelText(0), celsius);
    v.criticalLevel = StoredLevel(levels_[1].origin, LevelText(1), celsius);
    for (size_t i = 0; controlTabs_ != nullptr && i < alarms_.size(); ++i) {
        const AlarmControls& c = alarms_[i];
        AlarmSettings& a = v.alarms[i];
        a.showMessage = c.showMessage->Checked();
        a.playSound = c.playSound->Checked();
        a.soundFile = c.soundFile->Text();
        a.executeApp = c.executeApp->Checked();
        a.application = c.application->Text();
        a.poweroff = c.poweroff->Checked();
        a.poweroffMethod = c.method->ItemIndex();
    }
    return v;
}

void DiskPage::Save(const SettingsAccess& access) {
    if (!source_) {
        return;
    }
    CheckBeforeSave();
    // An Apply followed by OK writes only what changed after the Apply.
    stored_ = WriteChangedDiskPageValues(access.options.GetDriveSection(source_->settingsName),
                                         *source_, stored_, Collect(access.celsius));
}

void DiskPage::UnitChanged(bool celsius) {
    if (!IsBuilt()) {
        return;
    }
    if (celsius != celsius_) {
        for (size_t i = 0; i < levels_.size(); ++i) {
            LevelControls& level = levels_[i];
            level.origin = SwitchLevelUnit(level.origin, LevelText(i), celsius);
            if (level.box != nullptr) {
                level.box->SetText(level.origin.filledText);
            }
        }
        celsius_ = celsius;
    }
    SetUnitLabels(celsius);
}

} // namespace korvane

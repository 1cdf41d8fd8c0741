// The "Temperature Levels" tab of a disk page: the level boxes with their checks and spin vetoes,
// the icon colour lists and the notes of the three states.
#include "ui/disk_page_win.h"

#include "ui/disk_page_rules.h"
#include "ui/disk_page_texts.h"

#include <algorithm>

namespace korvane {

using namespace disk_page;

namespace {

constexpr int kLevelTop = 25;
constexpr int kLevelLabelLeft = 20;
constexpr int kLevelGap = 10;

} // namespace

void DiskPage::BuildLevelsControls() {
    if (levelTabs_ != nullptr || !IsBuilt()) {
        return;
    }
    BuildLevelsTab(*levelsPage_);
    FillLevels();
}

void DiskPage::FillLevels() {
    if (levelTabs_ == nullptr) {
        return;
    }
    for (size_t i = 0; i < colors_.size(); ++i) {
        colors_[i].text->SetColorValue(filled_.colors[2 * i]);
        colors_[i].background->SetColorValue(filled_.colors[2 * i + 1]);
    }
    for (LevelControls& level : levels_) {
        level.box->SetText(level.origin.filledText);
    }
    SetUnitLabels(celsius_);
}

std::string DiskPage::LevelText(size_t index) const {
    const LevelControls& level = levels_[index];
    return level.box != nullptr ? level.box->Text() : level.origin.filledText;
}

void DiskPage::BuildLevelsTab(forms::Panel& tab) {
    levelTabs_ = &InnerTabs(tab, {kNormalTab, kWarningTab, kCriticalTab});
    for (int i = 0; i < 3; ++i) {
        BuildLevelGroup(*levelTabs_->Page(i), i);
    }
    levels_[0].box->OnLeave = [this](forms::Edit&) { CheckWarning(); };
    levels_[1].box->OnLeave = [this](forms::Edit&) { CheckCritical(); };
    levels_[0].spin->OnChanging = [this](forms::UpDown&, int position, bool& allow) {
        allow = WarningSpinAllows(position, levels_[1].box->Text());
    };
    levels_[1].spin->OnChanging = [this](forms::UpDown&, int position, bool& allow) {
        allow = CriticalSpinAllows(position, levels_[0].box->Text());
    };
}

void DiskPage::BuildLevelGroup(forms::Panel& page, int index) {
    static constexpr const char* kGroups[3] = {kNormalGroup, kWarningGroup, kCriticalGroup};
    static constexpr const char* kNotes[3] = {kNormalNote, kWarningNote, kCriticalNote};
    auto& group = page.Add<forms::GroupBox>(
        {.bounds = {0, 5, page.ClientWidth(), page.ClientHeight() - 5}, .text = kGroups[index]});
    const int cw = group.ClientWidth();
    const int half = cw / 2;
    int comboTop = kLevelTop;
    if (index > 0) {
        LevelControls& level = levels_[static_cast<size_t>(index - 1)];
        level.label =
            &group.Add<forms::Label>({.bounds = {kLevelLabelLeft, kLevelTop, 10, 13}, .text = ""});
        level.box =
            &group.Add<forms::Edit>({.bounds = {kLevelLabelLeft, kLevelTop, kBoxWidth, kBoxHeight},
                                     .text = "",
                                     .readOnly = false,
                                     .digitsOnly = true});
        level.spin = &group.Add<forms::UpDown>(
            {.buddy = level.box, .minimum = kLevelMin, .maximum = kLevelMax});
        comboTop = kLevelTop + kBoxHeight + 15;
    }
    ColorControls& colors = colors_[static_cast<size_t>(index)];
    colors.text = &group.Add<forms::ColorComboBox>({.bounds = {20, comboTop, half - 20, 22}});
    group.Add<forms::Label>(
        {.bounds = {half + 10, comboTop + 6, cw - half - 20, 14}, .text = kTextColorLabel});
    colors.background = &group.Add<forms::ColorComboBox>(
        {.bounds = {20, comboTop + 30, half - 20, 22}, .allowTransparent = true});
    group.Add<forms::Label>(
        {.bounds = {half + 10, comboTop + 36, cw - half - 20, 14}, .text = kBgColorLabel});
    // Two lines, 36 pixels above the group's bottom edge, as long as the font lets the note fit
    // in them; a wider font gets the lines it needs, upwards, rather than losing the last words.
    auto& note = group.Add<forms::WordWrapLabel>(
        {.bounds = {10, group.Height() - 36, cw - 20, 26}, .text = kNotes[index]});
    const int height = std::max(26, note.MeasureWrappedText(kNotes[index], cw - 20).height);
    note.SetBounds({10, group.Height() - 10 - height, cw - 20, height});
}

void DiskPage::SetUnitLabels(bool celsius) {
    if (levelTabs_ == nullptr) {
        return;
    }
    static constexpr const char* kLabels[2] = {kWarningLevelLabel, kCriticalLevelLabel};
    for (size_t i = 0; i < levels_.size(); ++i) {
        LevelControls& level = levels_[i];
        level.label->SetText(std::string(kLabels[i]) + " (" +
                             (celsius ? kUnitCelsius : kUnitFahrenheit) + ")");
        PlaceLevelBox(level);
        level.spin->SetRange(LevelMinimum(celsius), kLevelMax);
    }
}

void DiskPage::PlaceLevelBox(LevelControls& level) {
    const forms::TextSize size = level.label->MeasureText(level.label->Text());
    level.label->SetBounds(
        {kLevelLabelLeft, kLevelTop + (kBoxHeight - size.height) / 2, size.width, size.height});
    level.box->SetBounds(
        {kLevelLabelLeft + size.width + kLevelGap, kLevelTop, kBoxWidth, kBoxHeight});
    // The spin control sits inside the box's width only once it is attached again.
    level.spin->SetBuddy(*level.box);
}

void DiskPage::CheckWarning() {
    forms::Edit& box = *levels_[0].box;
    const std::string text = box.Text();
    const std::string checked = CheckedWarning(text, levels_[1].box->Text(), celsius_);
    if (checked != text) {
        box.SetText(checked);
    }
}

void DiskPage::CheckCritical() {
    forms::Edit& box = *levels_[1].box;
    const std::string text = box.Text();
    const std::string checked = CheckedCritical(levels_[0].box->Text(), text, celsius_);
    if (checked != text) {
        box.SetText(checked);
    }
}

} // namespace korvane

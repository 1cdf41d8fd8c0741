// The "Temperature Control" tab of a disk page: what happens above each level, the sound test and
// the sound and application choosers.
#include "ui/disk_page_win.h"

#include "toolkit/forms/dialogs_win.h"
#include "toolkit/text.h"
#include "ui/disk_page_texts.h"

namespace korvane {

using namespace disk_page;

namespace {

void SetBoxEnabled(forms::Control& box, bool enabled) {
    box.SetEnabled(enabled);
    box.SetColor(enabled ? kColorWindow : kColorButtonFace);
}

} // namespace

void DiskPage::BuildControlControls() {
    if (controlTabs_ != nullptr || !IsBuilt()) {
        return;
    }
    BuildControlTab(*controlPage_);
    FillAlarms();
}

void DiskPage::BuildControlTab(forms::Panel& tab) {
    controlTabs_ = &InnerTabs(tab, {kWarningTab, kCriticalTab});
    for (int i = 0; i < 2; ++i) {
        BuildAlarmGroup(*controlTabs_->Page(i), i);
    }
}

void DiskPage::BuildAlarmGroup(forms::Panel& page, int index) {
    auto& group = page.Add<forms::GroupBox>(
        {.bounds = {0, 5, page.ClientWidth(), page.ClientHeight() - 5},
         .text = index == 0 ? kWarningControlGroup : kCriticalControlGroup});
    const int w = group.ClientWidth();
    AlarmControls& a = alarms_[static_cast<size_t>(index)];
    a.showMessage =
        &group.Add<forms::CheckBox>({.bounds = {15, 25, w - 30, 18}, .text = kShowMessageBox});
    a.playSound =
        &group.Add<forms::CheckBox>({.bounds = {15, 53, w - 30, 18}, .text = kPlaySoundBox});
    a.soundFile = &group.Add<forms::Edit>(
        {.bounds = {35, 73, w - 94, kBoxHeight}, .text = "", .readOnly = true});
    a.testSound = &group.Add<forms::Button>(
        {.bounds = {35 + w - 94, 73, kSmallButton, kSmallButton}, .text = kTestSoundButton});
    a.chooseSound = &group.Add<forms::Button>(
        {.bounds = {35 + w - 94 + kSmallButton, 73, kSmallButton, kSmallButton},
         .text = kBrowseButton});
    a.executeApp =
        &group.Add<forms::CheckBox>({.bounds = {15, 101, w - 30, 18}, .text = kExecuteAppBox});
    a.application = &group.Add<forms::Edit>({.bounds = {35, 121, w - 72, kBoxHeight}, .text = ""});
    a.chooseApp = &group.Add<forms::Button>(
        {.bounds = {35 + w - 72, 121, kSmallButton, kSmallButton}, .text = kBrowseButton});
    a.poweroff =
        &group.Add<forms::CheckBox>({.bounds = {15, 149, w - 30, 18}, .text = kPoweroffBox});
    a.method = &group.Add<forms::ComboBox>({.bounds = {35, 169, w - 50, kBoxHeight}, .items = {}});
    a.method->AddItem(kShutdownMethod);
    if (deps_.hibernateAvailable) {
        a.method->AddItem(kHibernateMethod);
    }

    const size_t i = static_cast<size_t>(index);
    const auto dependants = [this, i](forms::CheckBox&) {
        ApplyEnablingRules();
        EnableDependants(alarms_[i]);
    };
    a.showMessage->OnClick = dependants;
    a.playSound->OnClick = dependants;
    a.executeApp->OnClick = dependants;
    a.poweroff->OnClick = dependants;
    a.testSound->OnClick = [this, i](forms::Button&) { TestSound(alarms_[i]); };
    a.chooseSound->OnClick = [this, i](forms::Button&) { ChooseSound(alarms_[i]); };
    a.chooseApp->OnClick = [this, i](forms::Button&) { ChooseApplication(alarms_[i]); };
    EnableDependants(a);
}

void DiskPage::EnableDependants(const AlarmControls& a) {
    const bool sound = a.playSound->Checked();
    SetBoxEnabled(*a.soundFile, sound);
    a.testSound->SetEnabled(sound);
    a.chooseSound->SetEnabled(sound);
    const bool app = a.executeApp->Checked();
    SetBoxEnabled(*a.application, app);
    a.chooseApp->SetEnabled(app);
    SetBoxEnabled(*a.method, a.poweroff->Checked());
}

void DiskPage::TestSound(const AlarmControls& a) {
    if (!deps_.playTestSound || !deps_.playTestSound(a.soundFile->Text())) {
        forms::ShowMessage(deps_.dialogOwner, kCannotPlay);
    }
}

void DiskPage::ChooseSound(const AlarmControls& a) {
    forms::OpenFileDialog dialog;
    dialog.title = kChooseSoundTitle;
    dialog.options = forms::FileDialogOptions::MustExist;
    dialog.filter = kSoundFilter;
    const std::string current = a.soundFile->Text();
    dialog.initialDir = current.empty() ? deps_.programFolder + kSoundsFolder : FolderOf(current);
    if (dialog.Execute(deps_.dialogOwner)) {
        a.soundFile->SetText(dialog.fileName);
    }
}

void DiskPage::ChooseApplication(const AlarmControls& a) {
    forms::OpenFileDialog dialog;
    dialog.title = kChooseAppTitle;
    const std::string current = a.application->Text();
    dialog.initialDir = current.empty() ? deps_.programFolder : FolderOf(current);
    if (dialog.Execute(deps_.dialogOwner)) {
        a.application->SetText(dialog.fileName);
    }
}

} // namespace korvane

// The settings window's Log page: the temperature logs on or off, and how many days they keep.
#pragma once

#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/edit_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/forms/updown_win.h"
#include "ui/settings_page_win.h"

#include <string>

namespace korvane {

class LogPage final : public SettingsPage {
  public:
    void Build(forms::Control& pageArea) override;
    bool IsBuilt() const override { return page_ != nullptr; }
    std::string TreeText() const override;
    void RefreshTexts() override;
    // A stored LogDays of 0 or less is shown as 1 and stored again at once, built or not: the
    // opening of the window repairs it.
    void Load(const SettingsAccess& access) override;
    void Save(const SettingsAccess& access) override;
    void Show(const std::string& itemText) override;
    void Hide() override;

  private:
    // The box, its spin control and their labels follow "Log temperature changes".
    void OnLogEnabledClick();

    forms::GroupBox* page_ = nullptr;
    forms::CheckBox* logEnabled_ = nullptr;
    forms::Label* storeFor_ = nullptr;
    forms::Edit* logDays_ = nullptr;
    forms::UpDown* logDaysSpin_ = nullptr;
    forms::Label* days_ = nullptr;
};

} // namespace korvane

// THibernateForm: the always-on-top power-off countdown window, shown by the alarm worker; its
// behaviour is HibernateCountdown's (actions/hibernate_form_logic.h).
#pragma once

#include "actions/hibernate_form_logic.h"
#include "actions/power_off_countdown.h"
#include "toolkit/app_window_win.h"
#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/edit_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/forms/statics_win.h"

#include <memory>

namespace korvane {

class THibernateForm final : public PowerOffCountdownPort, private CountdownView {
  public:
    // Built hidden on the GUI thread. `resources` holds "MAINICON" and "XP_DRIVE_HOT".
    THibernateForm(const CountdownDeps& deps, AppWindow& appWindow, HINSTANCE resources);
    ~THibernateForm() override;
    THibernateForm(const THibernateForm&) = delete;
    THibernateForm& operator=(const THibernateForm&) = delete;

    // Safe from the worker: the window is prepared and shown on the GUI thread.
    void ShowCountdown(const std::string& heading, int32_t seconds, int32_t currentTemp,
                       int32_t limitTemp, int32_t method) override;
    void WaitUntilClosed(const std::function<bool()>& stopRequested) override;
    bool PowerOffSucceeded() const override { return logic_->PowerOffSucceeded(); }
    void Dismiss() override;

    forms::Form& Window() { return *form_; }
    HibernateCountdown& Logic() { return *logic_; }

  private:
    void SetHeading(const std::string& text) override;
    void SetMessage(const std::string& text) override;
    void SetPowerOffCaption(const std::string& text) override;
    int32_t SelectedMethod() const override;
    void SelectMethod(int32_t index) override;
    void Present() override;
    void FocusPowerOffButton() override;
    bool Shown() const override;
    void RequestClose() override;
    void Hide() override;
    void ProcessOneMessage() override;
    void Sleep(uint32_t milliseconds) override;
    void ShowPowerOffFailed() override;
    // Makes the window tall enough for every line of `text` above the method list and buttons.
    void FitMessage(const std::string& text);

    AppWindow& appWindow_;
    std::unique_ptr<forms::Form> form_;
    forms::ImageList images_{48, 48};
    forms::Label* heading_ = nullptr;
    forms::WordWrapLabel* message_ = nullptr;
    forms::ComboBox* methods_ = nullptr;
    forms::Button* cancel_ = nullptr;
    forms::Button* powerOff_ = nullptr;
    std::unique_ptr<HibernateCountdown> logic_;
    int baseClientHeight_ = 0; // of the window's first size, the least it ever has
};

} // namespace korvane

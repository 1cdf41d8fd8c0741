// The about window: header picture, version, credits, web and mail links, and a Close button.
#pragma once

#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/shell_port.h"
#include "ui/about.h"

#include <functional>
#include <string>

namespace korvane {

// Created once at start-up and hidden; Show() opens it from the tray menu, Close, Enter, Esc and
// the close box hide it again. The object lives until it is destroyed at shut-down.
class TAboutForm {
  public:
    // `programPath`: the running program's folder with a trailing "\"; `trimWorkingSet` runs
    // after the window is closed with Close, Enter or Esc. Pictures, icon and cursor come from the
    // resources of the running program's module.
    TAboutForm(ShellPort& shell, std::string programPath, std::function<void()> trimWorkingSet);
    TAboutForm(const TAboutForm&) = delete;
    TAboutForm& operator=(const TAboutForm&) = delete;

    // Centres the window in the work area, shows it in front, repaints it, focuses "Close".
    void Show();
    bool IsVisible() const { return form_.IsVisible(); }
    HWND Handle() const { return form_.Handle(); }

  private:
    void CloseWindow();
    void OnKeyDown(uint32_t key, uint32_t shift);
    forms::Label& AddLink(const std::string& text);

    AboutLinks links_;
    std::function<void()> trimWorkingSet_;
    // Declared before the form: the header button draws from it until the form is gone.
    forms::ImageList header_;
    forms::Form form_;
    forms::Button* close_ = nullptr;
};

} // namespace korvane

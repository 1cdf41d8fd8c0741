// Top-level windows (forms): caption, client size, icon, showing and hiding, the close request,
// default button, stay-on-top, transparent labels, and the keyboard navigation between controls.
#pragma once

#include "toolkit/bound_window_win.h"
#include "toolkit/forms/control_win.h"

namespace korvane::forms {

class Button;

struct FormArgs {
    std::string caption;
    HWND owner = nullptr; // the application window, or none for an unowned window
    int left = 0;
    int top = 0;
    int clientWidth = 300; // the client area in 96-dpi units, scaled to the monitor's DPI
    int clientHeight = 200;
    HICON icon = nullptr; // not owned: icons of the program's resources
    bool stayOnTop = false;
    uint32_t color = kColorButtonFace;
};

// BoundWindow comes after Control, so it unbinds before ~Control destroys the window.
class Form : public Control, private BoundWindow {
  public:
    explicit Form(const FormArgs& args);
    ~Form() override;

    // Makes the window visible, brings it to the foreground and gives it the focus.
    void Show();
    void Hide();
    // Posts WM_CLOSE, so the close request runs later from the message loop.
    void Close();
    // Repaints the window and all its children at once.
    void Update();
    // Raises the window without activating it.
    void BringToFront();
    bool IsVisible() const;
    // Places the window, at its current size, in the middle of the desktop work area.
    void CentreInWorkArea();

    void SetCaption(const std::string& caption) { SetText(caption); }
    // In 96-dpi units, as the form's layout.
    void SetClientSize(int width, int height);
    void SetIcon(HICON icon);
    void SetStayOnTop(bool onTop);
    // The button that Enter presses when the focus is not on another button.
    void SetDefaultButton(Button* button);
    Button* DefaultButton() const { return defaultButton_; }
    // Labels draw on the form's own background.
    void SetTransparentLabels(bool transparent) { transparentLabels_ = transparent; }
    bool TransparentLabels() const { return transparentLabels_; }

    // Moves the focus to the next (previous) enabled, visible tab stop in creation order.
    bool FocusNextControl(bool backwards);
    // All controls of the form, in creation order.
    std::vector<Control*> ControlsInCreationOrder() const;

    // Close request: `accept` starts true; clearing it keeps the window. An accepted close hides
    // the window; the object lives on.
    std::function<void(Form& sender, bool& accept)> OnCloseQuery;
    // The window moved to a monitor of another DPI and every control took its 96-dpi place and
    // font at the new one: for layouts that follow measured texts.
    std::function<void(Form& sender)> OnDpiChanged;

  protected:
    LRESULT CallDefault(UINT message, WPARAM wparam, LPARAM lparam) override;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

  private:
    LRESULT HandleWindowMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) override;

    Button* defaultButton_ = nullptr;
    bool transparentLabels_ = false;
};

// Offered every message of the GUI thread before TranslateMessage: Tab and Shift+Tab move between
// the controls of a form, Enter presses its default button. True when the message was used up.
bool HandleFormNavigation(MSG& msg);

} // namespace korvane::forms

// The "BUTTON" kinds: push, image, check and radio buttons, and the group box.
#pragma once

#include "toolkit/forms/control_win.h"
#include "toolkit/forms/image_list_win.h"

namespace korvane::forms {

struct ButtonArgs {
    Rect bounds{0, 0, 75, 25};
    std::string text;
};

class Button : public Control {
  public:
    using Args = ButtonArgs;
    Button(Control& parent, const Args& args);
    // Runs the click handler, as a click of the user would.
    void Click();
    std::function<void(Button& sender)> OnClick;

  protected:
    bool OnCommand(WORD code) override;
};

struct ImageButtonArgs {
    Rect bounds{0, 0, 48, 48};
    const ImageList* images = nullptr; // not owned; image 0 is shown
};

// Shows image 0 of an image list at the button's own size, without border or caption.
class ImageButton : public Control {
  public:
    using Args = ImageButtonArgs;
    ImageButton(Control& parent, const Args& args);
    void SetImages(const ImageList* images);

  protected:
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;

  private:
    const ImageList* images_;
};

struct CheckBoxArgs {
    Rect bounds{0, 0, 120, 17};
    std::string text;
    bool checked = false;
};

class CheckBox : public Control {
  public:
    using Args = CheckBoxArgs;
    CheckBox(Control& parent, const Args& args);
    bool Checked() const;
    // Setting the state from code does not run the click handler.
    void SetChecked(bool checked);
    std::function<void(CheckBox& sender)> OnClick;

  protected:
    bool OnCommand(WORD code) override;
};

struct RadioButtonArgs {
    Rect bounds{0, 0, 120, 17};
    std::string text;
};

// The radio buttons of one parent are one exclusive group; the first one created starts checked.
class RadioButton : public Control {
  public:
    using Args = RadioButtonArgs;
    RadioButton(Control& parent, const Args& args);
    bool Checked() const;
    // Checking one unchecks its siblings; the click handler does not run.
    void SetChecked(bool checked);
    std::function<void(RadioButton& sender)> OnClick;

  protected:
    bool OnCommand(WORD code) override;

  private:
    void UncheckSiblings();
};

struct GroupBoxArgs {
    Rect bounds{0, 0, 185, 105};
    std::string text;
};

// A captioned frame that holds other controls.
class GroupBox : public Control {
  public:
    using Args = GroupBoxArgs;
    GroupBox(Control& parent, const Args& args);

  protected:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
};

} // namespace korvane::forms

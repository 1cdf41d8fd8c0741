// A demo form with every control kind for the forms tests under Wine, and a window that owns it
// as the application window would.
#pragma once

#include "toolkit/forms/buttons_win.h"
#include "toolkit/forms/color_combo_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/image_list_win.h"
#include "toolkit/forms/statics_win.h"
#include "toolkit/forms/tab_control_win.h"
#include "toolkit/forms/tree_view_win.h"
#include "toolkit/forms/updown_win.h"
#include "toolkit/handles_win.h"

namespace korvane::test {

// Stands in for the application window: owner of forms and dialogs, captioned "Korvane".
class OwnerWindow {
  public:
    OwnerWindow();
    HWND Handle() const { return window_.Get(); }

  private:
    ScopedWindow window_;
};

struct DemoForm {
    explicit DemoForm(HWND owner);

    forms::ImageList images;
    forms::Form form;
    forms::Panel* strip;
    forms::Button* ok;
    forms::Button* cancel;
    forms::Button* browse;
    forms::ImageButton* pictureButton;
    forms::Label* heading;
    forms::WordWrapLabel* note;
    forms::GroupBox* options;
    forms::CheckBox* enable;
    forms::RadioButton* celsius;
    forms::RadioButton* fahrenheit;
    forms::Label* daysLabel;
    forms::Edit* days;
    forms::UpDown* spin;
    forms::Edit* disabledBox;
    forms::ComboBox* method;
    forms::ColorComboBox* textColor;
    forms::ColorComboBox* bgColor;
    forms::TreeView* tree;
    forms::TreeItem generalItem;
    forms::TreeItem disksItem;
    forms::Edit* sound;
    forms::TabControl* tabs;
    forms::Edit* generalPageBox;
    forms::TabControl* inner;
    forms::Edit* levelsBox;
    forms::CheckBox* controlCheck;
};

} // namespace korvane::test

// The "EDIT" and "COMBOBOX" kinds: edit box and drop-down list.
#pragma once

#include "toolkit/forms/control_win.h"

namespace korvane::forms {

struct EditArgs {
    Rect bounds{0, 0, 121, 21};
    std::string text;
    bool readOnly = false;
    bool digitsOnly = false;
    bool multiLine = false;
    bool border = true;
};

class Edit : public Control {
  public:
    using Args = EditArgs;
    Edit(Control& parent, const Args& args);
    bool MultiLine() const;
    void SetReadOnly(bool readOnly);
    // Runs when the box loses the keyboard focus; setting the text from code does not run it.
    std::function<void(Edit& sender)> OnLeave;

  protected:
    bool OnCommand(WORD code) override;
};

struct ComboBoxArgs {
    Rect bounds{0, 0, 145, 21}; // height: the closed box; the list drops below it
    std::vector<std::string> items;
    int droppedHeight = 160;
};

// A drop-down list the user picks from without typing.
class ComboBox : public Control {
  public:
    using Args = ComboBoxArgs;
    ComboBox(Control& parent, const Args& args);
    int AddItem(const std::string& text);
    void SetItemText(int index, const std::string& text);
    std::string ItemText(int index) const;
    int Count() const;
    void Clear();
    // -1 when nothing is selected. Setting it from code does not run the change handler.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The user picked another entry.
    std::function<void(ComboBox& sender)> OnChange;

  protected:
    ComboBox(Control& parent, const Args& args, DWORD extraStyle);
    bool OnCommand(WORD code) override;
    virtual void OnSelectionChange();
    int DroppedListHeight() const override { return droppedHeight_; }

  private:
    int droppedHeight_;
};

} // namespace korvane::forms

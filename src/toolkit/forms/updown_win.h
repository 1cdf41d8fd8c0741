// The spin control ("msctls_updown32") attached to a buddy edit box that shows its number.
#pragma once

#include "toolkit/forms/edit_win.h"

namespace korvane::forms {

struct UpDownArgs {
    Edit* buddy = nullptr;
    int minimum = 0;
    int maximum = 100;
};

class UpDown : public Control {
  public:
    using Args = UpDownArgs;
    UpDown(Control& parent, const Args& args);

    // Attaches (again) to a buddy: the spin control places itself at the box's right edge.
    void SetBuddy(Edit& buddy);
    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Position() const;
    void SetPosition(int position);

    // Receives the proposed position (already within the range); clearing `allow` refuses it.
    std::function<void(UpDown& sender, int position, bool& allow)> OnChanging;

  protected:
    bool OnNotify(NMHDR& header, LRESULT& result) override;

  private:
    int minimum_;
    int maximum_;
};

} // namespace korvane::forms

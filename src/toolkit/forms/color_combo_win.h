// The owner-drawn colour list: 16 named colours, "Transparent" when allowed, "???" otherwise.
#pragma once

#include "toolkit/forms/edit_win.h"

namespace korvane::forms {

struct ColorComboBoxArgs {
    Rect bounds{0, 0, 145, 22};
    bool allowTransparent = false;
};

class ColorComboBox : public ComboBox {
  public:
    using Args = ColorComboBoxArgs;
    ColorComboBox(Control& parent, const Args& args);

    // The current colour value; -1 while it is none of the entries.
    int32_t ColorValue() const { return value_; }
    // Selects the first entry with exactly this value; with none, the value becomes -1 and the
    // box shows "???".
    void SetColorValue(int64_t value);

  protected:
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    void OnSelectionChange() override;
    void OnFontChanged() override;

  private:
    int ItemHeight();
    std::vector<NamedColor> entries_;
    int32_t value_ = -1;
};

} // namespace korvane::forms

// The "STATIC" kinds: one-line label, word-wrap label and panel.
#pragma once

#include "toolkit/forms/control_win.h"

namespace korvane::forms {

struct LabelArgs {
    Rect bounds{0, 0, 65, 13};
    std::string text;
};

// One line of text; callers size it from MeasureText. A click handler makes a link of it.
class Label : public Control {
  public:
    using Args = LabelArgs;
    Label(Control& parent, const Args& args);
    std::function<void(Label& sender)> OnClick;

  protected:
    bool OnCommand(WORD code) override;
    HBRUSH OnCtlColor(HDC dc) override;
};

enum class TextAlign { Left, Center };

struct WordWrapLabelArgs {
    Rect bounds{0, 0, 100, 40};
    std::string text;
    TextAlign align = TextAlign::Left;
};

// Text wrapped over several lines, from the top.
class WordWrapLabel : public Label {
  public:
    using Args = WordWrapLabelArgs;
    WordWrapLabel(Control& parent, const Args& args);

  protected:
    // Text heights do not follow the DPI exactly: a text that filled its lines at the old DPI
    // takes the height it needs at the new one, upwards from its bottom edge.
    void OnDpiLayout() override;
};

struct PanelArgs {
    Rect bounds{0, 0, 185, 41};
    uint32_t color = kNoColor;
    bool border = false;
    Align align = Align::None;
};

// A plain container with a background colour.
class Panel : public Control {
  public:
    using Args = PanelArgs;
    Panel(Control& parent, const Args& args);
};

} // namespace korvane::forms

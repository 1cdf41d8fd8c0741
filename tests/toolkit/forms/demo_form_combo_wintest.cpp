// The demo form's colour lists: unknown colours, picking one.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormCombo : public test::DemoFormFixture {};

TEST_F(DemoFormCombo, ColorComboShowsUnknownAsQuestionMarksUntilPicked) {
    HWND combo = demo->textColor->Handle();
    EXPECT_EQ(16, ui::ComboCount(combo));
    EXPECT_EQ("Black", ui::ComboItemText(combo, 0));
    EXPECT_EQ(17, ui::ComboCount(demo->bgColor->Handle()));
    EXPECT_EQ("Transparent", ui::ComboItemText(demo->bgColor->Handle(), 0));
    EXPECT_EQ(static_cast<int32_t>(kNoColor), demo->bgColor->ColorValue());
    EXPECT_EQ("Red", ui::Text(combo));

    // Transparent is not in a list that does not allow it, so it is unknown there.
    demo->textColor->SetColorValue(kNoColor);
    EXPECT_EQ(-1, demo->textColor->ColorValue());
    demo->textColor->SetColorValue(0x123456);
    EXPECT_EQ(-1, demo->textColor->ColorValue());
    EXPECT_EQ(-1, ui::ComboSelection(combo));
    EXPECT_EQ("???", ui::Text(combo));
    demo->form.Update();
    ui::SaveWindowPng(combo, "forms_color_combo_unknown");

    int changes = 0;
    demo->textColor->OnChange = [&](ComboBox&) { ++changes; };
    ui::PickComboItem(combo, 10); // Lime
    EXPECT_EQ(1, changes);
    EXPECT_EQ(0x00FF00, demo->textColor->ColorValue());
    EXPECT_EQ("Lime", ui::Text(combo));
}

} // namespace
} // namespace korvane::forms

// The demo form with every control kind under Wine: each kind's window class, measured and bold
// labels, radio buttons, and the refusable close request.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "test_env.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormKinds : public test::DemoFormFixture {};

TEST_F(DemoFormKinds, EveryKindIsItsWindowClassAndTheScreenshotIsSaved) {
    HWND form = demo->form.Handle();
    EXPECT_EQ("KorvaneForm", ui::ClassOf(form));
    EXPECT_EQ("SysTreeView32", ui::ClassOf(demo->tree->Handle()));
    EXPECT_EQ("SysTabControl32", ui::ClassOf(demo->tabs->Handle()));
    EXPECT_EQ("msctls_updown32", ui::ClassOf(demo->spin->Handle()));
    EXPECT_EQ("ComboBox", ui::ClassOf(demo->textColor->Handle()));
    EXPECT_EQ("Static", ui::ClassOf(demo->strip->Handle()));
    EXPECT_EQ(demo->ok->Handle(), ui::FindByText(form, "&OK", "Button"));
    EXPECT_EQ(demo->celsius->Handle(), ui::FindChild(demo->options->Handle(), "Button", 1));

    // Client size and alignment: the strip spans the bottom 36 pixels of a 560 x 420 area.
    EXPECT_EQ(560, demo->form.ClientWidth());
    EXPECT_EQ(420, demo->form.ClientHeight());
    EXPECT_EQ((Rect{0, 384, 560, 36}), demo->strip->Bounds());
    // A measured label is as wide as its text plus the margin; bold text is wider.
    const int plain = demo->daysLabel->MeasureText("Every control kind").width;
    EXPECT_GT(demo->heading->Width(), plain + 5);
    EXPECT_EQ(700, [&] {
        LOGFONTA lf{};
        GetObjectA(demo->heading->FontHandle(), sizeof(lf), &lf);
        return static_cast<int>(lf.lfWeight);
    }());

    // The first radio button of a parent starts checked; a click moves the check.
    EXPECT_TRUE(ui::IsChecked(demo->celsius->Handle()));
    EXPECT_FALSE(ui::IsChecked(demo->fahrenheit->Handle()));
    int radioClicks = 0;
    demo->fahrenheit->OnClick = [&](RadioButton&) { ++radioClicks; };
    ui::Click(demo->fahrenheit->Handle());
    EXPECT_TRUE(ui::WaitUntil([&] { return radioClicks == 1; }));
    EXPECT_TRUE(demo->fahrenheit->Checked());
    EXPECT_FALSE(demo->celsius->Checked());

    const std::string path = ui::SaveWindowPng(form, "forms_demo");
    ASSERT_FALSE(path.empty());
    EXPECT_GT(test::ReadFileBytes(path).size(), 10000u);
    EXPECT_FALSE(ui::SaveScreenPng("forms_demo_screen").empty());
}

TEST_F(DemoFormKinds, CloseRequestCanBeRefused) {
    int asked = 0;
    bool accept = false;
    demo->form.OnCloseQuery = [&](Form&, bool& ok) {
        ++asked;
        EXPECT_TRUE(ok);
        ok = accept;
    };
    demo->form.Close();
    EXPECT_EQ(0, asked); // posted, not sent
    EXPECT_TRUE(ui::WaitUntil([&] { return asked == 1; }));
    EXPECT_TRUE(demo->form.IsVisible());

    accept = true;
    demo->form.Close();
    EXPECT_TRUE(ui::WaitForWindowGone(demo->form.Handle()));
    EXPECT_TRUE(IsWindow(demo->form.Handle())); // hidden, not destroyed
    demo->form.Show();
    EXPECT_TRUE(demo->form.IsVisible());
}

} // namespace
} // namespace korvane::forms

// The demo form's tab control: a deleted tab and its page put back.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormTabs : public test::DemoFormFixture {};

TEST_F(DemoFormTabs, DeletedTabComesBackWithItsPage) {
    TabControl& tabs = *demo->tabs;
    Panel* levels = tabs.Page(1);
    ASSERT_NE(nullptr, levels);
    ui::ClickTab(tabs.Handle(), 1);
    EXPECT_EQ(1, ui::TabSelection(tabs.Handle()));
    EXPECT_TRUE(ui::IsVisible(levels->Handle()));
    EXPECT_FALSE(ui::IsVisible(tabs.Page(0)->Handle()));

    ASSERT_TRUE(tabs.DeleteTab(1));
    EXPECT_EQ(2, ui::TabCount(tabs.Handle()));
    EXPECT_EQ("Temperature Control", tabs.TabText(1));
    EXPECT_FALSE(ui::IsVisible(levels->Handle()));
    EXPECT_TRUE(ui::IsVisible(tabs.Page(ui::TabSelection(tabs.Handle()))->Handle()));

    ASSERT_TRUE(tabs.InsertTab(1, "Temperature Levels", *levels));
    EXPECT_EQ(3, tabs.Count());
    EXPECT_EQ("Temperature Levels", tabs.TabText(1));
    EXPECT_EQ(levels, tabs.Page(1));
    ui::ClickTab(tabs.Handle(), 1);
    EXPECT_TRUE(ui::IsVisible(levels->Handle()));
    EXPECT_EQ("50", ui::Text(demo->levelsBox->Handle())); // the page's controls lived on

    // The inner row is drawn as flat buttons.
    const LONG style = GetWindowLongA(demo->inner->Handle(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(TCS_BUTTONS | TCS_FLATBUTTONS),
              style & static_cast<LONG>(TCS_BUTTONS | TCS_FLATBUTTONS));
}

} // namespace
} // namespace korvane::forms

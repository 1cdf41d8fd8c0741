// The demo form's edit boxes: the spin control's buddy, and leaving a box.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormEdit : public test::DemoFormFixture {};

TEST_F(DemoFormEdit, UpDownStaysAtItsMaximumAndObeysAVeto) {
    HWND days = demo->days->Handle();
    ClickSpin(true);
    EXPECT_EQ("100", ui::Text(days));
    EXPECT_EQ(100, demo->spin->Position());

    demo->days->SetText("50");
    ClickSpin(true);
    EXPECT_TRUE(ui::WaitUntil([&] { return ui::Text(days) == "51"; }));

    std::vector<int> offered;
    demo->spin->OnChanging = [&](UpDown&, int position, bool& allow) {
        offered.push_back(position);
        allow = false;
    };
    ClickSpin(true);
    ClickSpin(false);
    EXPECT_EQ((std::vector<int>{52, 50}), offered);
    EXPECT_EQ("51", ui::Text(days));

    demo->spin->OnChanging = nullptr;
    demo->spin->SetEnabled(false);
    EXPECT_FALSE(ui::IsEnabled(demo->spin->Handle()));
    EXPECT_TRUE(ui::IsEnabled(days));
}

TEST_F(DemoFormEdit, EditLeaveRunsOnFocusLossOnly) {
    int leaves = 0;
    demo->days->OnLeave = [&](Edit&) { ++leaves; };
    demo->days->SetText("7");
    ui::PumpMessages();
    EXPECT_EQ(0, leaves);
    ui::SetFocusTo(demo->days->Handle());
    ui::Type(demo->days->Handle(), "x5"); // digits only: the letter is refused
    EXPECT_EQ(0, leaves);
    ui::SetFocusTo(demo->method->Handle());
    EXPECT_TRUE(ui::WaitUntil([&] { return leaves == 1; }));
    EXPECT_EQ("57", ui::Text(demo->days->Handle())); // typed at the caret, before the 7
}

} // namespace
} // namespace korvane::forms

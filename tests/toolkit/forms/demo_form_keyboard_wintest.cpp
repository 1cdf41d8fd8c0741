// The demo form's keyboard: Tab through the enabled visible stops, Enter on the default button.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormKeyboard : public test::DemoFormFixture {};

TEST_F(DemoFormKeyboard, TabVisitsEnabledVisibleStopsInCreationOrder) {
    // Creation order: OK, Cancel, Browse, the check box, the checked radio button, the days box
    // (the disabled box skipped), the method list, both colour lists, the tree, the sound box,
    // the tab control, the box on its visible first page; the hidden pages' controls skipped.
    const std::vector<HWND> expected = {
        demo->ok->Handle(),
        demo->cancel->Handle(),
        demo->browse->Handle(),
        demo->enable->Handle(),
        demo->celsius->Handle(),
        demo->days->Handle(),
        demo->method->Handle(),
        demo->textColor->Handle(),
        demo->bgColor->Handle(),
        demo->tree->Handle(),
        demo->sound->Handle(),
        demo->tabs->Handle(),
        demo->generalPageBox->Handle(),
    };
    ui::SetFocusTo(demo->ok->Handle());
    std::vector<HWND> visited{ui::Focus()};
    for (size_t i = 1; i < expected.size(); ++i) {
        ui::PressKey(VK_TAB);
        visited.push_back(ui::Focus());
    }
    EXPECT_EQ(expected, visited);
    ui::PressKey(VK_TAB);
    EXPECT_EQ(demo->ok->Handle(), ui::Focus()); // wraps around
    ui::PressKey(VK_TAB, true);
    EXPECT_EQ(demo->generalPageBox->Handle(), ui::Focus());
    ui::PressKey(VK_TAB, true);
    EXPECT_EQ(demo->tabs->Handle(), ui::Focus());
}

TEST_F(DemoFormKeyboard, EnterPressesTheDefaultButtonExceptOnAButton) {
    int okClicks = 0;
    demo->ok->OnClick = [&](Button&) { ++okClicks; };
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    demo->cancel->OnKeyDown = [&](Control&, uint32_t key, uint32_t shift) {
        keys.emplace_back(key, shift);
    };
    ui::SetFocusTo(demo->days->Handle());
    ui::PressKey(VK_RETURN);
    EXPECT_EQ(1, okClicks);

    ui::SetFocusTo(demo->cancel->Handle());
    ui::PressKey(VK_RETURN);
    ui::PressKey(VK_ESCAPE, true);
    EXPECT_EQ(1, okClicks);
    EXPECT_EQ((std::vector<std::pair<uint32_t, uint32_t>>{{VK_RETURN, 0}, {VK_ESCAPE, 4}}), keys);
}

} // namespace
} // namespace korvane::forms

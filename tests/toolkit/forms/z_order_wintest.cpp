// Raising one of several overlapping sibling panels above the others.
#include "toolkit/forms/z_order_win.h"
#include "toolkit/forms/form_win.h"
#include "toolkit/forms/statics_win.h"

#include "ui_driver_win.h"

#include <gtest/gtest.h>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;

TEST(ZOrder, ARaisedPageIsTheOneThatShowsWhereItsSiblingsOverlap) {
    Form form(FormArgs{.caption = "Korvane Z Order",
                       .owner = nullptr,
                       .left = 10,
                       .top = 10,
                       .clientWidth = 200,
                       .clientHeight = 100,
                       .icon = nullptr,
                       .stayOnTop = false,
                       .color = kColorButtonFace});
    Panel& first = form.Add<Panel>({.bounds = {0, 0, 200, 100}, .color = 0x0000FF});
    Panel& second = form.Add<Panel>({.bounds = {0, 0, 200, 100}, .color = 0x00FF00});
    form.Show();
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(form.Handle()); }));
    POINT centre{100, 50};
    ASSERT_TRUE(RaiseAboveSiblings(second));
    EXPECT_TRUE(IsAboveSiblings(second));
    EXPECT_FALSE(IsAboveSiblings(first));
    EXPECT_EQ(second.Handle(), ChildWindowFromPoint(form.Handle(), centre));
    ASSERT_TRUE(RaiseAboveSiblings(first));
    EXPECT_TRUE(IsAboveSiblings(first));
    EXPECT_EQ(first.Handle(), ChildWindowFromPoint(form.Handle(), centre));
    // Raising moves and resizes nothing.
    EXPECT_EQ((Rect{0, 0, 200, 100}), first.Bounds());
}

} // namespace
} // namespace korvane::forms

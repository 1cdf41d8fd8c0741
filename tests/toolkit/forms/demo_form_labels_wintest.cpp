// A white form beside the demo form: transparent link labels on top of other windows.
#include "toolkit/forms/form_win.h"

#include "demo_form_fixture_win.h"
#include "gdi_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

namespace korvane::forms {
namespace {

namespace ui = korvane::test::ui;
class DemoFormLabels : public test::DemoFormFixture {};

TEST_F(DemoFormLabels, WhiteFormWithTransparentLinkLabelsOnTopOfOthers) {
    Form about(FormArgs{.caption = "About - Demo",
                        .owner = nullptr,
                        .left = 540,
                        .top = 40,
                        .clientWidth = 420,
                        .clientHeight = 120,
                        .stayOnTop = true,
                        .color = 0xFFFFFF});
    about.SetTransparentLabels(true);
    about.SetFontHeight(11);
    Label& link = about.Add<Label>({.bounds = {25, 40, 10, 16}, .text = "http://korvane.example/"});
    link.SetFontColor(0xFF0000);
    link.SetFontUnderline(true);
    link.SetBounds({25, 40, link.MeasureText(link.Text()).width, 16});
    HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    link.SetCursor(hand);
    int clicks = 0;
    link.OnClick = [&](Label&) { ++clicks; };
    about.Show();
    ASSERT_NE(nullptr, ui::WaitForWindow("About - Demo"));

    EXPECT_NE(0, GetWindowLongA(about.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, GetWindowLongA(about.Handle(), GWL_STYLE) &
                     (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    LOGFONTA lf{};
    GetObjectA(link.FontHandle(), sizeof(lf), &lf);
    EXPECT_STREQ("MS Sans Serif", lf.lfFaceName);
    EXPECT_EQ(11, lf.lfHeight);
    EXPECT_TRUE(lf.lfUnderline);

    // The label draws on the form's white, in blue.
    LRESULT brush = 0;
    {
        const ScopedWindowDc dc(link.Handle());
        brush = SendMessageA(about.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                             reinterpret_cast<LPARAM>(link.Handle()));
        EXPECT_EQ(TRANSPARENT, GetBkMode(dc.Get()));
        EXPECT_EQ(RGB(0, 0, 255), GetTextColor(dc.Get()));
    }
    LOGBRUSH lb{};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb);
    EXPECT_EQ(RGB(255, 255, 255), lb.lbColor);

    SendMessageA(link.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(hand, GetCursor());
    ui::Click(link.Handle());
    EXPECT_TRUE(ui::WaitUntil([&] { return clicks == 1; }));
    ui::SaveWindowPng(about.Handle(), "forms_about_like");
}

} // namespace
} // namespace korvane::forms

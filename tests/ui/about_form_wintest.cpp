// The about window under Wine: its parts and texts, centring, keys, links and hiding.
#include "ui/about_form_win.h"

#include "gdi_win.h"
#include "recording_shell.h"
#include "ui_driver_win.h"

#include "text_fit_win.h"
#include "toolkit/forms/dpi_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace korvane {
namespace {

namespace ui = korvane::test::ui;
using test::RecordingShell;
using test::ShellOpen;

constexpr char kProgramPath[] = "C:\\Korvane\\";

class AboutWindow : public ::testing::Test {
  protected:
    AboutWindow() : about(shell, kProgramPath, [this] { ++trims; }) {
        ui::SetMessageFilter([](MSG& msg) { return forms::HandleFormNavigation(msg); });
    }
    ~AboutWindow() override { ui::SetMessageFilter(nullptr); }

    HWND Window() const { return about.Handle(); }
    HWND Child(const std::string& text) const { return ui::FindByText(Window(), text); }
    HWND CloseButton() const { return Child(kAboutCloseText); }

    void ShowAndWait() {
        about.Show();
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(Window()); }));
    }
    bool WaitHidden() {
        return ui::WaitUntil([&] { return !ui::IsVisible(Window()); });
    }
    RECT ChildRect(HWND child) const {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    POINT ExpectedPosition() const {
        RECT work{}, window{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(Window(), &window);
        return {((work.right - work.left) - (window.right - window.left)) / 2,
                ((work.bottom - work.top) - (window.bottom - window.top)) / 2};
    }
    void ExpectCentred() const {
        RECT window{};
        GetWindowRect(Window(), &window);
        const POINT expected = ExpectedPosition();
        EXPECT_EQ(window.left, expected.x);
        EXPECT_EQ(window.top, expected.y);
    }

    // Counts the pixels of a child, as it is on the screen now, for which `match` holds.
    static int CountPixels(HWND child, const std::function<bool(COLORREF)>& match) {
        RECT r{};
        GetClientRect(child, &r);
        const ScopedWindowDc dc(child);
        int count = 0;
        for (int y = 0; y < r.bottom; ++y) {
            for (int x = 0; x < r.right; ++x) {
                count += match(GetPixel(dc.Get(), x, y)) ? 1 : 0;
            }
        }
        return count;
    }

    RecordingShell shell;
    int trims = 0;
    TAboutForm about;
};

TEST_F(AboutWindow, StartsHiddenAndShowsItsPartsCentredWithFocusOnClose) {
    ASSERT_NE(Window(), nullptr);
    EXPECT_FALSE(ui::IsVisible(Window()));
    EXPECT_EQ(ui::FindTopWindow(kAboutCaption), Window());
    ShowAndWait();
    EXPECT_EQ(ui::Text(Window()), kAboutCaption);
    EXPECT_EQ(GetWindow(Window(), GW_OWNER), nullptr);

    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 345);
    const LONG style = GetWindowLongA(Window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(SendMessageA(Window(), WM_GETICON, ICON_BIG, 0), 0);
    ExpectCentred();

    const std::vector<std::string> texts = ui::AllTexts(Window());
    for (const std::string& text : {std::string(kAboutVersionText), std::string(kAboutCreditLine1),
                                    std::string(kAboutCreditLine2), AboutWebLinkText(),
                                    AboutMailLinkText(), std::string(kAboutCloseText)}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    }

    const RECT version = ChildRect(Child(kAboutVersionText));
    EXPECT_EQ(version.left, 25);
    EXPECT_EQ(version.top, 91);
    EXPECT_EQ(version.right - version.left, 370);
    const RECT web = ChildRect(Child(AboutWebLinkText()));
    const RECT mail = ChildRect(Child(AboutMailLinkText()));
    EXPECT_EQ(web.left, 25);
    EXPECT_EQ(web.top, 171);
    EXPECT_EQ(mail.top, 187);
    EXPECT_EQ(mail.bottom - mail.top, 16);
    // Each link is exactly as wide as its text in its own font.
    for (HWND link : {Child(AboutWebLinkText()), Child(AboutMailLinkText())}) {
        auto* label = dynamic_cast<forms::Label*>(forms::Control::FromHandle(link));
        ASSERT_NE(label, nullptr);
        EXPECT_GT(label->Width(), 0);
        EXPECT_EQ(label->Width(), label->MeasureText(label->Text()).width);
        LOGFONTA font{};
        GetObjectA(label->FontHandle(), sizeof(font), &font);
        EXPECT_TRUE(font.lfUnderline);
        EXPECT_EQ(label->Font().color, kAboutLinkColor);
    }

    const HWND header = ui::FindDescendant(Window(), "Button", 0);
    const RECT picture = ChildRect(header);
    EXPECT_EQ(picture.left, -30);
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(picture.right, 420);
    EXPECT_EQ(picture.bottom, 71);

    const RECT close = ChildRect(CloseButton());
    EXPECT_EQ(close.left, 160);
    EXPECT_EQ(close.top, 309);
    EXPECT_EQ(close.right - close.left, 100);
    EXPECT_EQ(close.bottom - close.top, 26);
    EXPECT_EQ(ui::Focus(), CloseButton());
    EXPECT_EQ(GetWindowLongA(CloseButton(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // The picture is drawn with its magenta made transparent; the links are drawn in blue.
    about.Show();
    EXPECT_EQ(CountPixels(header, [](COLORREF c) { return c == RGB(255, 0, 255); }), 0);
    EXPECT_GT(CountPixels(header, [](COLORREF c) { return c != RGB(255, 255, 255); }), 1000);
    EXPECT_GT(
        CountPixels(Child(AboutWebLinkText()), [](COLORREF c) { return c == RGB(0, 0, 255); }), 20);

    EXPECT_FALSE(ui::SaveWindowPng(Window(), "about_window").empty());

    // On monitors of other scales: the parts at their scaled places, the links measured again
    // in their scaled font, every text in its control and the stretched picture still without
    // magenta; back at 100 % as before.
    for (const int dpi : {120, 144, 192, 96}) {
        SCOPED_TRACE(dpi);
        RECT outer{};
        GetWindowRect(Window(), &outer);
        RECT place{0, 0, forms::ScaleToDpi(420, dpi), forms::ScaleToDpi(345, dpi)};
        AdjustWindowRectEx(&place, static_cast<DWORD>(style), FALSE, 0);
        OffsetRect(&place, outer.left - place.left, outer.top - place.top);
        SendMessageA(Window(), forms::kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&place));
        const RECT scaledClose = ChildRect(CloseButton());
        EXPECT_EQ(forms::ScaleToDpi(160, dpi), scaledClose.left);
        EXPECT_EQ(forms::ScaleToDpi(100, dpi), scaledClose.right - scaledClose.left);
        for (HWND link : {Child(AboutWebLinkText()), Child(AboutMailLinkText())}) {
            auto* label = dynamic_cast<forms::Label*>(forms::Control::FromHandle(link));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->Width(), label->MeasureText(label->Text()).width);
        }
        EXPECT_EQ(std::vector<std::string>{}, test::ClippedTexts(Window(), dpi));
        about.Show();
        EXPECT_EQ(CountPixels(header, [](COLORREF c) { return c == RGB(255, 0, 255); }), 0);
    }
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 345);
}

TEST_F(AboutWindow, LinksShowTheHandCursorAndAskTheShellLeavingTheWindowOpen) {
    ShowAndWait();
    const HWND web = Child(AboutWebLinkText());
    const HWND mail = Child(AboutMailLinkText());
    const HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
    ASSERT_NE(hand, nullptr);
    SendMessageA(web, WM_SETCURSOR, reinterpret_cast<WPARAM>(web),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);

    ui::Click(web);
    ASSERT_TRUE(ui::WaitUntil([&] { return shell.requests.size() == 1; }));
    EXPECT_EQ(shell.requests[0], (ShellOpen{AboutWebLinkText(), "", false}));
    ui::Click(mail);
    ASSERT_TRUE(ui::WaitUntil([&] { return shell.requests.size() == 2; }));
    EXPECT_EQ(shell.requests[1], (ShellOpen{"C:\\Korvane\\Postwright.exe", "CNT", true}));
    EXPECT_TRUE(ui::IsVisible(Window()));
    EXPECT_EQ(trims, 0);
}

TEST_F(AboutWindow, CloseEnterAndEscHideAndTrimTheSameWindowShowsAgainCentred) {
    ShowAndWait();
    ui::PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ(trims, 1);

    // Moved away while hidden: showing centres it again, with the focus back on Close.
    SetWindowPos(Window(), nullptr, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowAndWait();
    ExpectCentred();
    EXPECT_EQ(ui::Focus(), CloseButton());
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ(trims, 2);

    ShowAndWait();
    ui::Click(CloseButton());
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ(trims, 3);

    // With the focus on the window itself, Enter presses the default button.
    ShowAndWait();
    ui::SetFocusTo(Window());
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ(trims, 4);
    EXPECT_EQ(ui::FindTopWindow(kAboutCaption), Window());
}

TEST_F(AboutWindow, CloseBoxHidesWithoutTrimming) {
    ShowAndWait();
    PostMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitHidden());
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_EQ(trims, 0);
    // Showing an already visible window places it again.
    ShowAndWait();
    SetWindowPos(Window(), nullptr, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    about.Show();
    ExpectCentred();
}

TEST_F(AboutWindow, CtrlF11ChangesTheCaptionForGoodF11AloneDoesNothing) {
    ShowAndWait();
    ui::PressKey(VK_F11);
    EXPECT_EQ(ui::Text(Window()), kAboutCaption);
    ui::PressKey(VK_F11, false, true);
    EXPECT_EQ(ui::Text(Window()), kAboutSecretCaption);
    EXPECT_TRUE(ui::IsVisible(Window()));
    ui::PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitHidden());
    ShowAndWait();
    EXPECT_EQ(ui::Text(Window()), kAboutSecretCaption);
}

} // namespace
} // namespace korvane

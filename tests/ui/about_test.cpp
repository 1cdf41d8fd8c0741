// The about window's rules without a window: layout, keys and the links' requests.
#include "ui/about.h"

#include "recording_shell.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using test::RecordingShell;
using test::ShellOpen;

TEST(AboutLayout, PlacesEveryPartInTheClientArea) {
    const AboutLayout layout = LayoutAbout(140, 130);
    // The picture's left 30 pixels stay outside, its right-hand 420 fill the top.
    EXPECT_EQ(layout.header, (forms::Rect{-30, 0, 450, 71}));
    EXPECT_EQ(layout.header.left + layout.header.width, kAboutClientWidth);
    EXPECT_EQ(layout.version, (forms::Rect{25, 91, 370, 16}));
    EXPECT_EQ(layout.webLink, (forms::Rect{25, 171, 140, 16}));
    EXPECT_EQ(layout.mailLink, (forms::Rect{25, 187, 130, 16}));
    EXPECT_EQ(layout.close, (forms::Rect{160, 309, 100, 26}));
    // The credit lines stay between the version and the links without touching either.
    EXPECT_GE(layout.credit1.top, layout.version.top + layout.version.height);
    EXPECT_GE(layout.credit2.top, layout.credit1.top + layout.credit1.height);
    EXPECT_LE(layout.credit2.top + layout.credit2.height, layout.webLink.top);
}

TEST(AboutTexts, CaptionAndCreditNameTheProduct) {
    EXPECT_STREQ("About - Korvane", kAboutCaption);
    EXPECT_STREQ("Written by the Korvane developers.", kAboutCreditLine1);
}

TEST(AboutKeys, EnterAndEscCloseCtrlF11ChangesTheCaption) {
    EXPECT_EQ(AboutKeyFor(13, 0), AboutKeyAction::Close);
    EXPECT_EQ(AboutKeyFor(27, 0), AboutKeyAction::Close);
    EXPECT_EQ(AboutKeyFor(27, 4 | 8), AboutKeyAction::Close);
    EXPECT_EQ(AboutKeyFor(122, 8), AboutKeyAction::SecretCaption);
    EXPECT_EQ(AboutKeyFor(122, 8 | 4 | 32), AboutKeyAction::SecretCaption);
    EXPECT_EQ(AboutKeyFor(122, 0), AboutKeyAction::None);
    EXPECT_EQ(AboutKeyFor(122, 4 | 32), AboutKeyAction::None);
    EXPECT_EQ(AboutKeyFor(121, 8), AboutKeyAction::None);
    EXPECT_EQ(AboutKeyFor('C', 8), AboutKeyAction::None);
}

TEST(AboutLinks, WebPageOpensShownAndMailStartsPostwrightHiddenWithCnt) {
    RecordingShell shell;
    AboutLinks links(shell, "C:\\Program Files\\Korvane\\");
    links.OpenWebPage();
    links.StartContactMail();
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0], (ShellOpen{AboutWebLinkText(), "", false}));
    EXPECT_EQ(shell.requests[1],
              (ShellOpen{"C:\\Program Files\\Korvane\\Postwright.exe", "CNT", true}));
    EXPECT_FALSE(AboutWebLinkText().empty());
    EXPECT_NE(AboutMailLinkText().find('@'), std::string::npos);
}

} // namespace
} // namespace korvane

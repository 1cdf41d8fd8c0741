// TTrayMessages: the balloon pair or the message box, decided by the OS version.
#include "actions/tray_messages.h"

#include "fake_os_version.h"
#include "monitor_fakes.h"
#include "toolkit_fakes.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using test::FixedOsVersion;

TEST(TrayMessagesPlatform, BalloonsFromWindows2000OnTheNtPlatformOnly) {
    EXPECT_TRUE(BalloonsSupportedOn(FixedOsVersion(kPlatformWin32Nt, 5, 0).info));
    EXPECT_TRUE(BalloonsSupportedOn(FixedOsVersion(kPlatformWin32Nt, 6, 2).info));
    EXPECT_FALSE(BalloonsSupportedOn(FixedOsVersion(kPlatformWin32Nt, 4, 0).info));
    EXPECT_FALSE(BalloonsSupportedOn(FixedOsVersion(kPlatformWin32Windows, 4, 10).info));
    EXPECT_FALSE(BalloonsSupportedOn(FixedOsVersion(kPlatformWin32Windows, 5, 0).info));
    EXPECT_FALSE(BalloonsSupportedOn(FixedOsVersion(0, 0).info)); // version call failed
}

TEST(TrayMessagesPlatform, IconKindsMapToBalloonAndMessageBoxIcons) {
    EXPECT_EQ(1u, BalloonIconOf(1));
    EXPECT_EQ(2u, BalloonIconOf(2));
    EXPECT_EQ(3u, BalloonIconOf(3));
    EXPECT_EQ(0u, BalloonIconOf(0));
    EXPECT_EQ(0u, BalloonIconOf(-7));
    EXPECT_EQ(0x40u, MessageBoxIconOf(1));
    EXPECT_EQ(0x30u, MessageBoxIconOf(2));
    EXPECT_EQ(0x10u, MessageBoxIconOf(3));
    EXPECT_EQ(0u, MessageBoxIconOf(4));
}

class TrayMessagesTest : public ::testing::Test {
  protected:
    test::RecordingTrayShell shell;
    test::FakeTrayIcon icon{OwnedIcon{}, 7};
    std::vector<std::pair<TTrayMessages*, int32_t>> clicks;
    void Watch(TTrayMessages& m) {
        m.OnMessageClick = [this](TTrayMessages* s, int32_t tag) { clicks.push_back({s, tag}); };
    }
};

TEST_F(TrayMessagesTest, BalloonIsAClearThenShowPairOnTheIconsIdentityWithCutTexts) {
    FixedOsVersion xp(kPlatformWin32Nt, 5, 1);
    TTrayMessages m(shell, xp);
    ASSERT_TRUE(m.BalloonsSupported());
    const std::string text(300, 't');
    const std::string title = std::string(62, 'a') + "bc";
    m.ShowTrayMessage(icon, 42, 2, text, title, 8000, false);
    EXPECT_EQ(42, icon.Tag());
    ASSERT_EQ(2u, shell.balloons.size());
    const TrayIconIdentity id = icon.Identity();
    EXPECT_EQ((BalloonRequest{id, 8000, 0, "", ""}), shell.balloons[0]);
    EXPECT_EQ((BalloonRequest{id, 8000, 2, std::string(255, 't'), std::string(62, 'a') + "b"}),
              shell.balloons[1]);
    EXPECT_TRUE(shell.boxes.empty());
    // Texts that fit are sent as they are.
    m.ShowTrayMessage(icon, 0, 1, std::string(255, 'x'), std::string(63, 'y'), 1, true);
    EXPECT_EQ(std::string(255, 'x'), shell.balloons[3].text);
    EXPECT_EQ(std::string(63, 'y'), shell.balloons[3].title);
    EXPECT_EQ(1u, shell.balloons[3].infoFlags);
}

TEST_F(TrayMessagesTest, WithoutBalloonsATopMostMessageBoxAndAClickOnlyForOk) {
    FixedOsVersion win98(kPlatformWin32Windows, 4, 10);
    TTrayMessages m(shell, win98);
    ASSERT_FALSE(m.BalloonsSupported());
    Watch(m);
    m.ShowTrayMessage(icon, 5, 2, "Body", "Title", 8000, false);
    shell.answer = 2; // IDCANCEL
    m.ShowTrayMessage(icon, 6, 3, "Body2", "Title2", 8000, true);
    ASSERT_EQ(2u, shell.boxes.size());
    EXPECT_EQ("Body", shell.boxes[0].text);
    EXPECT_EQ("Title", shell.boxes[0].caption);
    EXPECT_EQ(0x30u | 0x40000u, shell.boxes[0].style);
    EXPECT_EQ(0x10u | 0x1u | 0x40000u, shell.boxes[1].style);
    EXPECT_TRUE(shell.balloons.empty());
    EXPECT_EQ(0, icon.Tag()); // the tag goes with the click, not onto the icon
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(nullptr, clicks[0].first);
    EXPECT_EQ(5, clicks[0].second);
    // Unset callback: the box alone.
    m.OnMessageClick = nullptr;
    shell.answer = 1;
    m.ShowTrayMessage(icon, 0, 9, "x", "y", 0, false);
    EXPECT_EQ(0x40000u, shell.boxes[2].style);
}

TEST_F(TrayMessagesTest, NotificationsClickThenHideOrOnlyHide) {
    FixedOsVersion xp(kPlatformWin32Nt, 5, 1);
    TTrayMessages m(shell, xp);
    Watch(m);
    icon.SetTag(9);
    const BalloonRequest hide{icon.Identity(), 0, 0, "", ""};
    m.HandleTrayNotify(nullptr, kNinBalloonUserClick);
    EXPECT_TRUE(shell.balloons.empty());
    for (uint32_t code : {0x202u, 0x205u, 0x405u}) {
        m.HandleTrayNotify(&icon, code);
    }
    EXPECT_EQ(3u, clicks.size());
    EXPECT_EQ(&m, clicks[0].first);
    EXPECT_EQ(9, clicks[2].second);
    for (uint32_t code : {0x403u, 0x404u}) {
        m.HandleTrayNotify(&icon, code);
    }
    m.HandleTrayNotify(&icon, 0x200); // mouse move: nothing
    m.HandleTrayNotify(&icon, 0x203);
    EXPECT_EQ(3u, clicks.size());
    EXPECT_EQ(std::vector<BalloonRequest>(5, hide), shell.balloons);
    m.HideBalloon(icon);
    EXPECT_EQ(hide, shell.balloons.back());
}

} // namespace
} // namespace korvane

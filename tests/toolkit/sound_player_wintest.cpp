// The sound player on the real media control interface (a PulseAudio null sink under Wine).
#include "toolkit/sound_player_win.h"

#include "test_env.h"
#include "toolkit/app_window_win.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::string Tone() {
    return test::JoinPath(test::JoinPath(test::TestDataDir(), "toolkit"), "tone_700ms.wav");
}

TEST(SoundPlayerMci, WaitingPlayReturnsAfterTheSoundsLength) {
    AppWindow window;
    SoundPlayer player(window.Handle());
    player.SetWait(true);
    ASSERT_TRUE(player.SetFileName(Tone())) << "MCI error " << player.LastError();
    EXPECT_NE(0u, player.DeviceId());
    EXPECT_TRUE(player.SeekToStart());
    EXPECT_TRUE(player.SetTimeFormatMilliseconds());
    const uint32_t length = player.Length();
    EXPECT_NEAR(700, static_cast<double>(length), 5);
    const double start = test::NowMs();
    ASSERT_TRUE(player.Play()) << "MCI error " << player.LastError();
    const double took = test::NowMs() - start;
    EXPECT_GE(took, 600);
    EXPECT_LT(took, 10000);
    EXPECT_EQ(0u, player.LastError());
}

TEST(SoundPlayerMci, NotifyingPlayReturnsAtOnceAndPartialPlayStopsEarly) {
    AppWindow window;
    SoundPlayer player(window.Handle());
    ASSERT_TRUE(player.SetFileName(Tone()));
    const double start = test::NowMs();
    ASSERT_TRUE(player.Play());
    EXPECT_LT(test::NowMs() - start, 600);
    EXPECT_TRUE(player.Stop());
    player.SetWait(true);
    EXPECT_TRUE(player.SeekToStart());
    const double partial = test::NowMs();
    ASSERT_TRUE(player.PlayFor(200));
    EXPECT_LT(test::NowMs() - partial, 650); // a fraction of the whole
    EXPECT_NEAR(200, static_cast<double>(player.Position()), 30);
}

TEST(SoundPlayerMci, APauseHoldsThePositionAndTheStopAfterItIsAtOnce) {
    AppWindow window;
    SoundPlayer player(window.Handle());
    ASSERT_TRUE(player.SetFileName(Tone()));
    ASSERT_TRUE(player.Play()); // not waiting
    ASSERT_TRUE(test::PumpUntil([&] { return player.Position() > 0; }, 5000));
    ASSERT_TRUE(player.Pause()) << "MCI error " << player.LastError();
    const uint32_t held = player.Position();
    Sleep(100);
    EXPECT_EQ(held, player.Position());
    player.SetWait(true);
    const double start = test::NowMs();
    EXPECT_TRUE(player.Stop());
    EXPECT_LT(test::NowMs() - start, 500); // without the pause, most of a second under Wine
}

TEST(SoundPlayerMci, ErrorsAreRecordedAndANewNameClosesTheOldDevice) {
    AppWindow window;
    SoundPlayer player(window.Handle());
    EXPECT_FALSE(player.Play()); // no file
    EXPECT_NE(0u, player.LastError());
    const std::string missing = test::JoinPath(test::FreshTempDir("sound"), "missing.wav");
    EXPECT_FALSE(player.SetFileName(missing));
    EXPECT_NE(0u, player.LastError());
    EXPECT_EQ(missing, player.FileName());
    ASSERT_TRUE(player.SetFileName(Tone()));
    const MCIDEVICEID first = player.DeviceId();
    EXPECT_TRUE(player.SetFileName(Tone())); // the same name: the device stays
    EXPECT_EQ(first, player.DeviceId());
    EXPECT_FALSE(player.SetFileName("")); // nothing is open afterwards
    EXPECT_EQ(0u, player.DeviceId());
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    const MciLibrary mci; // the system's winmm, as the player loads it
    ASSERT_TRUE(mci.Loaded());
    EXPECT_NE(0u, mci.Send(first, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                           reinterpret_cast<DWORD_PTR>(&status)));
}

} // namespace
} // namespace korvane

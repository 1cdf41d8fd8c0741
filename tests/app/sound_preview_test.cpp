// The disk pages' sound preview: what the player is asked and what the debug log gets.
#include "app/sound_preview.h"

#include "monitor_rig.h"
#include "test_env.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

class SoundPreview : public ::testing::Test {
  protected:
    SoundPreview() : rig("sound_preview"), sound(test::JoinPath(rig.dir, "beep.wav")) {
        test::WriteFileBytes(sound, "RIFF");
    }
    bool Play(const std::string& path) {
        return PreviewSound(player, rig.files, *rig.logger, path);
    }
    test::MonitorRig rig;
    test::FakeSoundPlayer player;
    std::string sound;
};

TEST_F(SoundPreview, PlaysAnExistingFileFromItsStartWithoutWaitingAndWithoutALogLine) {
    player.SetWait(true); // whatever an earlier user left
    EXPECT_TRUE(Play(sound));
    EXPECT_EQ((std::vector<std::string>{"stop", "open " + sound, "seek 0", "play notify"}),
              player.commands);
    EXPECT_TRUE(rig.DebugMessages().empty());

    // Again, while the first may still play: stopped and played anew on the open device.
    player.commands.clear();
    EXPECT_TRUE(Play(sound));
    EXPECT_EQ((std::vector<std::string>{"stop", "seek 0", "play notify"}), player.commands);
}

TEST_F(SoundPreview, AMissingFileAnswersFalseQuietlyAnUnplayableOneLogsItsPath) {
    EXPECT_FALSE(Play(test::JoinPath(rig.dir, "none.wav")));
    EXPECT_TRUE(player.commands.empty());
    EXPECT_TRUE(rig.DebugMessages().empty());

    player.openFails = true;
    EXPECT_FALSE(Play(sound));
    ASSERT_EQ(1u, rig.DebugMessages().size());
    EXPECT_EQ("Play sound failed: \"" + sound + "\"", rig.DebugMessages()[0]);
    const std::string log = test::ReadFileBytes(rig.dir + "/debug.log");
    EXPECT_NE(std::string::npos, log.find("] [error]   Play sound failed")) << log;

    // The device opens but refuses to play.
    player.openFails = false;
    player.failWith = 277;
    EXPECT_FALSE(Play(sound));
    EXPECT_EQ(2u, rig.DebugMessages().size());
}

} // namespace
} // namespace korvane

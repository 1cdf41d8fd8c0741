// The alarm key tables and one level's settings read and written over the in-memory profile.
#include "settings/alarm_settings.h"

#include "settings/options.h"

#include "fake_profile.h"
#include "posix_file_system.h"
#include "test_env.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

std::vector<std::string> Names(const AlarmKeys& k) {
    return {k.showMessage.name, k.playSound.name, k.soundFile.name,     k.executeApp.name,
            k.application.name, k.poweroff.name,  k.poweroffMethod.name};
}

TEST(AlarmKeys, EachFieldNamesTheSameItemOfItsOwnLevelInTheFilesOrder) {
    const std::vector<std::string> warning = Names(AlarmKeysOf(AlarmLevel::Warning));
    const std::vector<std::string> critical = Names(AlarmKeysOf(AlarmLevel::Critical));
    const std::vector<std::string> items{"ShowMessage", "PlaySound", "SoundFile",     "ExecuteApp",
                                         "Application", "Poweroff",  "PoweroffMethod"};
    ASSERT_EQ(items.size(), warning.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ("WarningCtl_" + items[i], warning[i]);
        EXPECT_EQ("CriticalCtl_" + items[i], critical[i]);
    }
    // The colour keys by state, text before background.
    EXPECT_EQ(std::string("NormalTemp_IconTextColor"), kIconColorKeys[0].text.name);
    EXPECT_EQ(std::string("WarningTemp_IconBgColor"), kIconColorKeys[1].background.name);
    EXPECT_EQ(std::string("CriticalTemp_IconTextColor"), kIconColorKeys[2].text.name);
}

TEST(AlarmSettingsStore, ALevelReadsBackWhatWasWrittenAndAbsentKeysReadEmpty) {
    const std::string ini = test::JoinPath(test::FreshTempDir("alarm_settings"), "Korvn.ini");
    test::FakeProfile profile;
    const TOptionsSection section(profile, ini, "Drive_COMMON");
    EXPECT_EQ(AlarmSettings{}, ReadAlarmSettings(section, AlarmLevel::Critical));

    const AlarmSettings critical{.showMessage = true,
                                 .soundFile = "C:\\c.wav",
                                 .executeApp = true,
                                 .application = "C:\\c.exe",
                                 .poweroff = true,
                                 .poweroffMethod = -1};
    WriteAlarmSettings(section, AlarmLevel::Critical, critical);
    EXPECT_EQ(critical, ReadAlarmSettings(section, AlarmLevel::Critical));
    // The other level's keys are untouched.
    EXPECT_EQ(AlarmSettings{}, ReadAlarmSettings(section, AlarmLevel::Warning));
}

} // namespace
} // namespace korvane

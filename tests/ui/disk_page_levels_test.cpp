// The level boxes between stored Celsius values and the unit shown.
#include "ui/disk_page_levels.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DiskPageLevels, FillingShowsCelsiusOrItsFahrenheitValue) {
    EXPECT_EQ((LevelOrigin{"50", 50}), FillLevel(50, true));
    EXPECT_EQ((LevelOrigin{"122", 50}), FillLevel(50, false));
    EXPECT_EQ((LevelOrigin{"114", 46}), FillLevel(46, false));
}

TEST(DiskPageLevels, SwitchingConvertsBothWaysWithTheDisplayedFormulas) {
    LevelOrigin warning = FillLevel(50, true);
    warning = SwitchLevelUnit(warning, warning.filledText, false);
    EXPECT_EQ("122", warning.filledText);
    warning = SwitchLevelUnit(warning, warning.filledText, true);
    EXPECT_EQ("50", warning.filledText);
    LevelOrigin critical = SwitchLevelUnit(FillLevel(60, true), "60", false);
    EXPECT_EQ("140", critical.filledText);
}

TEST(DiskPageLevels, AnUntouchedBoxKeepsTheCelsiusValueItCameFrom) {
    // 46 C shows as 114 F; converting 114 F back would give 45.
    LevelOrigin level = FillLevel(46, false);
    EXPECT_EQ("46", StoredLevel(level, "114", false));
    level = SwitchLevelUnit(level, "114", true);
    EXPECT_EQ("46", level.filledText);
    for (int i = 0; i < 5; ++i) {
        level = SwitchLevelUnit(level, level.filledText, false);
        EXPECT_EQ("114", level.filledText);
        level = SwitchLevelUnit(level, level.filledText, true);
        EXPECT_EQ("46", level.filledText);
    }
    level = SwitchLevelUnit(level, level.filledText, false);
    EXPECT_EQ("46", StoredLevel(level, level.filledText, false));
}

TEST(DiskPageLevels, AnEditedBoxIsConvertedFromWhatItShows) {
    const LevelOrigin level = FillLevel(50, false); // shows 122
    EXPECT_EQ("50", StoredLevel(level, "122", false));
    EXPECT_EQ("50", StoredLevel(level, "123", false)); // (123*5-160)/9 = 50.5
    EXPECT_EQ("45", StoredLevel(level, "114", false));
    EXPECT_EQ("-17", StoredLevel(level, "", false));
    // In Celsius the text is stored as typed.
    const LevelOrigin celsius = FillLevel(50, true);
    EXPECT_EQ("55", StoredLevel(celsius, "55", true));
    EXPECT_EQ("", StoredLevel(celsius, "", true));
    // Switched after an edit, the box stands for the converted value.
    const LevelOrigin switched = SwitchLevelUnit(level, "114", true);
    EXPECT_EQ((LevelOrigin{"45", 45}), switched);
    const LevelOrigin toF = SwitchLevelUnit(celsius, "46", false);
    EXPECT_EQ((LevelOrigin{"114", 46}), toF);
}

} // namespace
} // namespace korvane

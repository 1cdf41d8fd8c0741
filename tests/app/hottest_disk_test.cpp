// The main icon for every disk: the hottest one, the tooltip's list within the shell's limit,
// and when the Windows 11 balloon is due.
#include "app/hottest_disk.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

DiskReading At(int32_t drive, int32_t celsius) {
    return {drive, celsius, std::to_string(celsius) + "\xB0" + "C"};
}

TEST(HottestDisk, TheHottestIsTheFirstOfTheWarmest) {
    EXPECT_EQ(-1, HottestReading({}));
    EXPECT_EQ(2, HottestReading({At(0, 41), At(1, 38), At(3, 52), At(4, 12)}));
    EXPECT_EQ(1, HottestReading({At(0, 30), At(1, 45), At(2, 45)}));
}

TEST(HottestDisk, TheTooltipListsEveryDiskOrAsManyAsFitAndSaysSo) {
    EXPECT_EQ("HDD1 41\xB0"
              "C, HDD2 38\xB0"
              "C",
              DiskListTooltip({At(0, 41), At(1, 38)}));
    // Drive numbers as the disks have them, gaps included.
    EXPECT_EQ("HDD3 40\xB0"
              "C",
              DiskListTooltip({At(2, 40)}));
    std::vector<DiskReading> sixteen;
    for (int32_t i = 0; i < 16; ++i)
        sixteen.push_back(At(i, 100 + i));
    const std::string cut = DiskListTooltip(sixteen);
    EXPECT_LE(cut.size(), 63u);
    EXPECT_EQ(0u, cut.rfind("HDD1 100\xB0"
                            "C, HDD2 101",
                            0));
    EXPECT_EQ(", \x85", cut.substr(cut.size() - 3)) << cut;
    // Whole entries only: the text before the mark ends with a unit.
    EXPECT_EQ('C', cut[cut.size() - 4]) << cut;
    // Exactly at the limit nothing is left out.
    const std::string four = DiskListTooltip({At(0, 41), At(1, 42), At(2, 43), At(3, 44)});
    EXPECT_EQ(four, DiskListTooltip({At(0, 41), At(1, 42), At(2, 43), At(3, 44)}, four.size()));
    EXPECT_NE(four, DiskListTooltip({At(0, 41), At(1, 42), At(2, 43), At(3, 44)}, four.size() - 1));
}

TEST(PinHint, DueOnceOnWindows11AndLaterOnly) {
    const OsVersionInfo eleven{10, 0, 22000, kPlatformWin32Nt, ""};
    const OsVersionInfo ten{10, 0, 19045, kPlatformWin32Nt, ""};
    const OsVersionInfo seven{6, 1, 7601, kPlatformWin32Nt, "Service Pack 1"};
    EXPECT_TRUE(PinHintDue(eleven, false));
    EXPECT_TRUE(PinHintDue({10, 0, 26100, kPlatformWin32Nt, ""}, false));
    EXPECT_FALSE(PinHintDue(eleven, true));
    EXPECT_FALSE(PinHintDue(ten, false));
    EXPECT_FALSE(PinHintDue(seven, false));
    // A Windows 9x build number is no NT build.
    EXPECT_FALSE(PinHintDue({10, 0, 22000, kPlatformWin32Windows, ""}, false));
}

} // namespace
} // namespace korvane

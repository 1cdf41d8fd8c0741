// The settings window's page choice by tree data and the log-days box rules.
#include "ui/options_form.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(OptionsPages, TreeDataChoosesThePage) {
    EXPECT_EQ((PageChoice{OptionsPage::General, -1}), PageForData(kGeneralPageData));
    EXPECT_EQ((PageChoice{OptionsPage::Common, -1}), PageForData(kHardDisksPageData));
    EXPECT_EQ((PageChoice{OptionsPage::Log, -1}), PageForData(kLogPageData));
    EXPECT_EQ((PageChoice{OptionsPage::Disk, 0}), PageForData(256));
    EXPECT_EQ((PageChoice{OptionsPage::Disk, 3}), PageForData(259));
    // Only the lowest 8 bits name the disk.
    EXPECT_EQ((PageChoice{OptionsPage::Disk, 1}), PageForData(256 + 256 + 1));
    EXPECT_EQ(OptionsPage::None, PageForData(0).page);
    EXPECT_EQ(OptionsPage::None, PageForData(4).page);
    EXPECT_EQ(OptionsPage::None, PageForData(255).page);
    EXPECT_EQ("[ General ]", PageCaption("General"));
    EXPECT_EQ("[ ST380011A ]", PageCaption("ST380011A"));
}

TEST(OptionsLogDays, TheBoxKeepsOneToAThousandDays) {
    EXPECT_EQ("1000", CheckedLogDays("5000"));
    EXPECT_EQ("1000", CheckedLogDays("1001"));
    EXPECT_EQ("1000", CheckedLogDays("1000"));
    EXPECT_EQ("1000", CheckedLogDays("99999999999999999999")); // beyond 32 bits, still too many
    EXPECT_EQ("1", CheckedLogDays(""));
    EXPECT_EQ("1", CheckedLogDays("0"));
    EXPECT_EQ("1", CheckedLogDays("000"));
    EXPECT_EQ("1", CheckedLogDays("-5"));
    EXPECT_EQ("1", CheckedLogDays("-99999999999"));
    EXPECT_EQ("1", CheckedLogDays("12abc")); // pasted past the digits-only rule
    EXPECT_EQ("1", CheckedLogDays(" 7"));
    EXPECT_EQ("1", CheckedLogDays("-"));
    EXPECT_EQ("7", CheckedLogDays("7"));
    EXPECT_EQ("999", CheckedLogDays("999"));
    EXPECT_EQ("+3", CheckedLogDays("+3")); // a number in range stays as typed

    EXPECT_EQ(1, LoadedLogDays(0));
    EXPECT_EQ(1, LoadedLogDays(-3));
    EXPECT_EQ(3, LoadedLogDays(3));
    EXPECT_EQ(5000, LoadedLogDays(5000)); // the box's own check runs only when the user leaves it
}

} // namespace
} // namespace korvane

// The settings window's page choice by tree data and the log-days box rules.
#include "ui/options_form.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(OptionsPages, TreeDataChoosesThePage) {
    // The window's pages: General, the common page, the four disk slots, Log.
    const std::vector<intptr_t> pages{kGeneralPageData, kHardDisksPageData, 256, 257, 258, 259,
                                      kLogPageData};
    EXPECT_EQ(0u, PageForData(pages, kGeneralPageData));
    EXPECT_EQ(1u, PageForData(pages, kHardDisksPageData));
    EXPECT_EQ(6u, PageForData(pages, kLogPageData));
    EXPECT_EQ(2u, PageForData(pages, 256));
    EXPECT_EQ(5u, PageForData(pages, 259));
    // Only the lowest 8 bits name the disk.
    EXPECT_EQ(3u, PageForData(pages, 256 + 256 + 1));
    EXPECT_EQ(std::nullopt, PageForData(pages, 0));
    EXPECT_EQ(std::nullopt, PageForData(pages, 4));
    EXPECT_EQ(std::nullopt, PageForData(pages, 255));
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
    EXPECT_EQ("1", CheckedLogDays("-3x"));
    EXPECT_EQ("1", CheckedLogDays("1e5"));
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

// The disk pages' box checks, spin vetoes and enabling decisions.
#include "ui/disk_page_rules.h"

#include "ui/disk_page_texts.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using namespace disk_page;

TEST(DiskPageChecks, IntervalStaysWithinOneToAHundred) {
    EXPECT_EQ("1", CheckedInterval("0"));
    EXPECT_EQ("1", CheckedInterval(""));
    EXPECT_EQ("100", CheckedInterval("101"));
    EXPECT_EQ("100", CheckedInterval("5000"));
    EXPECT_EQ("1", CheckedInterval("1"));
    EXPECT_EQ("100", CheckedInterval("100"));
    // A valid text is left exactly as typed.
    EXPECT_EQ("020", CheckedInterval("020"));
}

TEST(DiskPageChecks, WarningStaysBelowCritical) {
    EXPECT_EQ("59", CheckedWarning("70", "60", true));
    EXPECT_EQ("59", CheckedWarning("60", "60", true));
    EXPECT_EQ("55", CheckedWarning("55", "60", true));
    EXPECT_EQ("1", CheckedWarning("0", "60", true));
    EXPECT_EQ("1", CheckedWarning("", "60", true));
}

TEST(DiskPageChecks, WarningNeverDropsBelowOneWhateverTheCriticalBoxHolds) {
    EXPECT_EQ("1", CheckedWarning("50", "0", true));
    EXPECT_EQ("1", CheckedWarning("50", "", true));
    EXPECT_EQ("1", CheckedWarning("50", "1", true));
    EXPECT_EQ("1", CheckedWarning("0", "0", true));
    EXPECT_EQ("1", CheckedWarning("", "", true));
    EXPECT_EQ("1", CheckedWarning("5", "2", true));
}

TEST(DiskPageChecks, CriticalStaysAboveWarningAndAtMostTwoHundred) {
    EXPECT_EQ("51", CheckedCritical("50", "40", true));
    EXPECT_EQ("51", CheckedCritical("50", "50", true));
    EXPECT_EQ("200", CheckedCritical("50", "250", true));
    EXPECT_EQ("200", CheckedCritical("50", "201", true));
    EXPECT_EQ("200", CheckedCritical("50", "200", true));
    EXPECT_EQ("60", CheckedCritical("50", "60", true));
    EXPECT_EQ("51", CheckedCritical("50", "", true));
    // An empty warning box counts as 0: the critical level becomes at least 1.
    EXPECT_EQ("1", CheckedCritical("", "0", true));
    EXPECT_EQ("1", CheckedCritical("", "", true));
}

TEST(DiskPageChecks, ABoxReadsAsANumberOnlyWhenItsWholeTextIsOne) {
    EXPECT_EQ(12, BoxNumber("12"));
    EXPECT_EQ(12, BoxNumber("+12"));
    EXPECT_EQ(-3, BoxNumber("-3"));
    EXPECT_EQ(7, BoxNumber("007"));
    // Pasted past the digits-only rule: not a number, so 0.
    for (const char* junk : {"12abc", "-3x", "1e5", " 7", "7 ", "abc", "", "-", "+", "1-2"}) {
        EXPECT_EQ(0, BoxNumber(junk)) << junk;
    }
    // Too long for 32 bits: the nearest 32-bit value, never a wrapped one.
    EXPECT_EQ(INT32_MAX, BoxNumber("99999999999999999999"));
    EXPECT_EQ(INT32_MAX, BoxNumber("4294967297"));
    EXPECT_EQ(INT32_MIN, BoxNumber("-99999999999"));
}

TEST(DiskPageChecks, PastedTextBecomesTheBoxsLowerBound) {
    for (const char* junk : {"12abc", "-3x", "1e5"}) {
        EXPECT_EQ("1", CheckedInterval(junk)) << junk;
        EXPECT_EQ("1", CheckedWarning(junk, "60", true)) << junk;
        EXPECT_EQ("34", CheckedWarning(junk, "140", false)) << junk;
        // Counting as 0 the critical box is at or below any warning level: one above it.
        EXPECT_EQ("51", CheckedCritical("50", junk, true)) << junk;
        EXPECT_EQ("34", CheckedCritical(junk, junk, false)) << junk;
    }
    EXPECT_EQ("100", CheckedInterval("99999999999"));
    EXPECT_EQ("200", CheckedCritical("50", "99999999999", true));
    EXPECT_EQ("200", CheckedCritical("50", "4294967297", false)); // would wrap to 1
}

TEST(DiskPageChecks, FahrenheitLevelsStayAtOrAboveTheFahrenheitOfOneDegree) {
    EXPECT_EQ(34, LevelMinimum(false));
    EXPECT_EQ("34", CheckedWarning("1", "140", false));
    EXPECT_EQ("34", CheckedWarning("33", "140", false));
    EXPECT_EQ("35", CheckedWarning("35", "140", false));
    EXPECT_EQ("34", CheckedWarning("100", "20", false));
    EXPECT_EQ("34", CheckedCritical("", "20", false));
    EXPECT_EQ("200", CheckedCritical("250", "60", false));
    EXPECT_EQ("140", CheckedCritical("122", "140", false));
    // A warning box not yet checked above the range: the critical level still tops out at 200.
    EXPECT_EQ("200", CheckedCritical("300", "100", true));
    EXPECT_EQ("200", CheckedWarning("300", "1000", true));
}

TEST(DiskPageChecks, SpinsKeepTheWarningLevelBelowTheCriticalOne) {
    EXPECT_TRUE(WarningSpinAllows(59, "60"));
    EXPECT_FALSE(WarningSpinAllows(60, "60"));
    EXPECT_FALSE(WarningSpinAllows(1, ""));
    EXPECT_TRUE(CriticalSpinAllows(51, "50"));
    EXPECT_FALSE(CriticalSpinAllows(50, "50"));
    EXPECT_TRUE(CriticalSpinAllows(1, ""));
}

TEST(DiskPageEnablingRules, BoxesDecideTabsGroupsAndTheCommonBox) {
    // enable, common -> common box enabled, own tabs, groups visible.
    EXPECT_EQ((DiskPageEnabling{true, true, true}), DecideEnabling(false, true, false));
    EXPECT_EQ((DiskPageEnabling{true, false, false}), DecideEnabling(false, true, true));
    EXPECT_EQ((DiskPageEnabling{false, false, false}), DecideEnabling(false, false, false));
    EXPECT_EQ((DiskPageEnabling{false, false, false}), DecideEnabling(false, false, true));
    // The common page has no boxes and always everything.
    EXPECT_EQ((DiskPageEnabling{false, true, true}), DecideEnabling(true, false, false));
}

TEST(DiskPageEnablingRules, TabsAreRemovedFromTheEndAndPutBackInOrder) {
    const std::vector<std::string> all{kGeneralTab, kLevelsTab, kControlTab};
    const std::vector<std::string> general{kGeneralTab};
    EXPECT_EQ((std::vector<TabEdit>{{TabEdit::Delete, 2, {}}, {TabEdit::Delete, 1, {}}}),
              PlanTabs(all, false));
    EXPECT_EQ(
        (std::vector<TabEdit>{{TabEdit::Insert, 1, kLevelsTab}, {TabEdit::Insert, 2, kControlTab}}),
        PlanTabs(general, true));
    EXPECT_TRUE(PlanTabs(all, true).empty());
    EXPECT_TRUE(PlanTabs(general, false).empty());
    // Half-way states mend themselves.
    EXPECT_EQ((std::vector<TabEdit>{{TabEdit::Insert, 2, kControlTab}}),
              PlanTabs({kGeneralTab, kLevelsTab}, true));
    EXPECT_EQ((std::vector<TabEdit>{{TabEdit::Delete, 1, {}}}),
              PlanTabs({kGeneralTab, kLevelsTab}, false));
}

} // namespace
} // namespace korvane

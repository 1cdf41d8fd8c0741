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
    EXPECT_EQ("59", CheckedWarning("70", "60"));
    EXPECT_EQ("59", CheckedWarning("60", "60"));
    EXPECT_EQ("55", CheckedWarning("55", "60"));
    EXPECT_EQ("1", CheckedWarning("0", "60"));
    EXPECT_EQ("1", CheckedWarning("", "60"));
}

TEST(DiskPageChecks, WarningNeverDropsBelowOneWhateverTheCriticalBoxHolds) {
    EXPECT_EQ("1", CheckedWarning("50", "0"));
    EXPECT_EQ("1", CheckedWarning("50", ""));
    EXPECT_EQ("1", CheckedWarning("50", "1"));
    EXPECT_EQ("1", CheckedWarning("0", "0"));
    EXPECT_EQ("1", CheckedWarning("", ""));
    EXPECT_EQ("1", CheckedWarning("5", "2"));
}

TEST(DiskPageChecks, CriticalStaysAboveWarningAndAtMostTwoHundred) {
    EXPECT_EQ("51", CheckedCritical("50", "40"));
    EXPECT_EQ("51", CheckedCritical("50", "50"));
    EXPECT_EQ("200", CheckedCritical("50", "250"));
    EXPECT_EQ("200", CheckedCritical("50", "201"));
    EXPECT_EQ("200", CheckedCritical("50", "200"));
    EXPECT_EQ("60", CheckedCritical("50", "60"));
    EXPECT_EQ("51", CheckedCritical("50", ""));
    // An empty warning box counts as 0: the critical level becomes at least 1.
    EXPECT_EQ("1", CheckedCritical("", "0"));
    EXPECT_EQ("1", CheckedCritical("", ""));
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

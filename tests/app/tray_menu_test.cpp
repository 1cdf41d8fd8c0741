// The program's own tray menu: its entries, codes and captions.
#include "app/tray_menu.h"

#include "toolkit_fakes.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Entries = std::vector<std::pair<int32_t, std::string>>;

// Every entry's command code and caption, in menu order.
void ExpectEntries(const test::FakePopupMenu& menu, const Entries& expected) {
    ASSERT_EQ(static_cast<int>(expected.size()), menu.Count());
    for (int i = 0; i < menu.Count(); ++i) {
        EXPECT_EQ(expected[i].first, menu.Tag(i)) << i;
        EXPECT_EQ(expected[i].second, menu.Text(i)) << i;
    }
}

TEST(MainTrayMenu, EntriesInOrderWithCodesAndCaptions) {
    test::FakePopupMenu menu(MainMenuTemplate());
    TagMainMenu(menu);
    ApplyMenuCaptions(menu);
    const Entries expected = {{kCmdSettings, "&Settings..."},
                              {0, "-"},
                              {kCmdTemperatureLogs, "Temperature &Logs"},
                              {kCmdGraph, "Temperature &Graph..."},
                              {0, "-"},
                              {kCmdFeedback, "&Feedback"},
                              {kCmdWebPage, "Korvane on the Web"},
                              {kCmdBugReport, "Send Bug Report"},
                              {0, "-"},
                              {kCmdHelp, "&Help..."},
                              {kCmdAbout, "&About..."},
                              {0, "-"},
                              {kCmdExit, "E&xit Korvane"}};
    ExpectEntries(menu, expected);
    EXPECT_TRUE(menu.Model().At(0)->isDefault);
    EXPECT_EQ(0, menu.SubItemCount(FindMenuCommand(menu, kCmdTemperatureLogs)));
    EXPECT_EQ(2, menu.SubItemCount(FindMenuCommand(menu, kCmdFeedback)));
}

TEST(MainTrayMenu, LogEntriesKeepTheirCaptionsAndLaterEntriesMove) {
    test::FakePopupMenu menu(MainMenuTemplate());
    TagMainMenu(menu);
    const int logs = FindMenuCommand(menu, kCmdTemperatureLogs);
    const int entry = menu.InsertItem(logs, "HDD - ST380011A (80 GB)");
    menu.SetTag(entry, kCmdOpenLog);
    ApplyMenuCaptions(menu);
    EXPECT_EQ(logs + 1, entry);
    EXPECT_EQ("HDD - ST380011A (80 GB)", menu.Text(entry));
    EXPECT_EQ(13, FindMenuCommand(menu, kCmdExit));
    EXPECT_EQ(-1, FindMenuCommand(menu, 99));
}

TEST(DiskTrayMenu, EntriesInOrderWithCodesAndCaptions) {
    test::FakePopupMenu menu(DiskMenuTemplate());
    TagDiskMenu(menu);
    // Placeholders until the captions are applied.
    EXPECT_EQ(kMenuPlaceholder, menu.Text(FindMenuCommand(menu, kCmdExit)));
    ApplyDiskMenuCaptions(menu);
    const Entries expected = {{kCmdSettings, "Korvane &Settings..."},
                              {kCmdDiskSettings, "Hard D&isk Settings..."},
                              {0, "-"},
                              {kCmdTemperatureLogs, "Temperature &Logs"},
                              {kCmdGraph, "Temperature &Graph..."},
                              {0, "-"},
                              {kCmdFeedback, "&Feedback"},
                              {kCmdWebPage, "Korvane on the Web"},
                              {kCmdBugReport, "Send Bug Report"},
                              {0, "-"},
                              {kCmdHelp, "&Help..."},
                              {kCmdAbout, "&About..."},
                              {0, "-"},
                              {kCmdExit, "E&xit Korvane"}};
    ExpectEntries(menu, expected);
    EXPECT_FALSE(menu.Model().At(0)->isDefault);
    EXPECT_TRUE(menu.Model().At(1)->isDefault);
    EXPECT_EQ(0, menu.SubItemCount(FindMenuCommand(menu, kCmdTemperatureLogs)));
    EXPECT_EQ(2, menu.SubItemCount(FindMenuCommand(menu, kCmdFeedback)));
}

TEST(MainIconRule, ShownByTheSettingAndTheVisibleIndicators) {
    struct Row {
        int32_t setting;
        int32_t indicators;
        bool shown;
    };
    const Row rows[] = {{0, 0, true},  {0, 3, true},  {1, 0, true}, {1, 1, false}, {1, 4, false},
                        {2, 0, false}, {2, 2, false}, {3, 2, true}, {-1, 1, true}};
    for (const Row& row : rows)
        EXPECT_EQ(row.shown, MainIconShown(row.setting, row.indicators))
            << row.setting << " " << row.indicators;
}

} // namespace
} // namespace korvane

// What the tray menus' entries do, over a real logs folder and a recording shell.
#include "app/tray_commands.h"
#include "app/tray_menu.h"

#include "posix_file_system.h"
#include "recording_shell.h"
#include "test_env.h"
#include "toolkit_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace korvane {
namespace {

using test::ShellOpen;

class TrayCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = test::FreshTempDir("tray_commands");
        data = folder + "\\"; // the program's data path, with its trailing backslash
        files.CreateFolder(data + "logs");
        made.emplace(shell, files, "C:\\Program Files\\Korvane\\", data);
    }
    void AddLog(const std::string& name) {
        test::WriteFileBytes(test::JoinPath(test::JoinPath(folder, "logs"), name), "x");
    }
    void RemoveLog(const std::string& name) { files.RemoveFile(data + "logs\\" + name); }
    // The captions of the log sub-menu, each with its code and data checked.
    std::vector<std::string> LogEntries(const PopupMenuPort& menu, int logs) {
        std::vector<std::string> captions;
        for (int n = 0; n < menu.SubItemCount(logs); ++n) {
            const int entry = menu.SubItem(logs, n);
            EXPECT_EQ(kCmdOpenLog, menu.Tag(entry));
            EXPECT_EQ(n, menu.Data(entry));
            captions.push_back(menu.Text(entry));
        }
        return captions;
    }

    std::string folder;
    std::string data;
    test::PosixFileSystem files;
    test::RecordingShell shell;
    std::optional<TrayCommands> made;
    TrayCommands& commands() { return *made; }
};

TEST_F(TrayCommandsTest, LogSubMenuFollowsTheFolderEachTimeItIsBuilt) {
    test::FakePopupMenu menu(MainMenuTemplate());
    TagMainMenu(menu);
    const int logs = FindMenuCommand(menu, kCmdTemperatureLogs);
    TrayCommands fresh(shell, files, "C:\\", data);

    fresh.RefreshLogMenu(menu, logs);
    EXPECT_EQ(0, menu.SubItemCount(logs));

    AddLog("ST380011A (80 GB).log");
    AddLog("Model.v2 (40 GB).log");
    AddLog("notes.txt");
    fresh.RefreshLogMenu(menu, logs);
    std::vector<std::string> captions = LogEntries(menu, logs);
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ((std::vector<std::string>{"HDD - Model.v2 (40 GB)", "HDD - ST380011A (80 GB)"}),
              captions);

    // Rebuilt, not appended to; the entries after the sub-menu keep their codes.
    RemoveLog("Model.v2 (40 GB).log");
    fresh.RefreshLogMenu(menu, logs);
    EXPECT_EQ((std::vector<std::string>{"HDD - ST380011A (80 GB)"}), LogEntries(menu, logs));
    EXPECT_EQ(kCmdExit, menu.Tag(menu.Count() - 1));
    EXPECT_EQ(kCmdGraph, menu.Tag(logs + 2));
    EXPECT_EQ(kCmdFeedback, menu.Tag(logs + 4));

    // A menu without a logs entry is left alone, not emptied.
    const int count = menu.Count();
    fresh.RefreshLogMenu(menu, FindMenuCommand(menu, 99));
    EXPECT_EQ(count, menu.Count());
}

TEST_F(TrayCommandsTest, CommandCodesBecomeShellRequests) {
    test::FakePopupMenu menu(DiskMenuTemplate());
    TagDiskMenu(menu);
    int exits = 0;
    commands().OnExit = [&] { ++exits; };
    const std::string program = "C:\\Program Files\\Korvane\\";
    // Sub-menu holders ask for nothing.
    for (int32_t code : {kCmdTemperatureLogs, kCmdFeedback})
        commands().Run(menu, FindMenuCommand(menu, code));
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(0, exits);

    commands().Run(menu, FindMenuCommand(menu, kCmdHelp));
    commands().Run(menu, FindMenuCommand(menu, kCmdWebPage));
    commands().Run(menu, FindMenuCommand(menu, kCmdBugReport));
    EXPECT_EQ((std::vector<ShellOpen>{{program + "Korvane.chm", "", false},
                                      {"http://korvane.example/", "", false},
                                      {program + "Postwright.exe", "BUG", true}}),
              shell.requests);
    commands().Run(menu, FindMenuCommand(menu, kCmdExit));
    EXPECT_EQ(1, exits);
}

TEST_F(TrayCommandsTest, LogEntryOpensTheFileAtItsIndexOnlyWhileItExists) {
    test::FakePopupMenu menu(MainMenuTemplate());
    TagMainMenu(menu);
    const int logs = FindMenuCommand(menu, kCmdTemperatureLogs);
    AddLog("HDD1.log");
    commands().RefreshLogMenu(menu, logs);
    ASSERT_EQ(1, menu.SubItemCount(logs));
    const int entry = menu.SubItem(logs, 0);

    commands().Run(menu, entry);
    ASSERT_EQ(1u, shell.requests.size());
    EXPECT_EQ((ShellOpen{"notepad", data + "logs\\HDD1.log", false}), shell.requests[0]);

    // Deleted after the menu was built: nothing happens.
    RemoveLog("HDD1.log");
    commands().Run(menu, entry);
    EXPECT_EQ(1u, shell.requests.size());
    // A forged index outside the listing is ignored too.
    AddLog("HDD2.log");
    menu.SetData(entry, 5);
    commands().Run(menu, entry);
    menu.SetData(entry, -1);
    commands().Run(menu, entry);
    EXPECT_EQ(1u, shell.requests.size());
}

TEST(LogMenuCaption, CutsTheLastExtensionOnly) {
    EXPECT_EQ("HDD - ST380011A (80 GB)", LogMenuCaption("ST380011A (80 GB).log"));
    EXPECT_EQ("HDD - WD.Caviar (1,5 GB)", LogMenuCaption("WD.Caviar (1,5 GB).log"));
    EXPECT_EQ("HDD - plain", LogMenuCaption("plain"));
}

} // namespace
} // namespace korvane

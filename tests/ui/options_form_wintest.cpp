// The settings window under Wine, in the running application over simulated disks: a real
// Korvn.ini in the data folder and the real registry of the prefix.
#include "ui/options_form_win.h"

#include "ui/disk_page_win.h"

#include "app/application_win.h"
#include "app/tray_menu.h"
#include "app_program_win.h"
#include "drives/sim/sim_driver.h"
#include "monitor_shell_win.h"
#include "settings/folders.h"
#include "settings/location/data_folder.h"
#include "settings/registry_win.h"
#include "test_env.h"
#include "text_fit_win.h"
#include "text_lines.h"
#include "toolkit/forms/dpi_win.h"
#include "toolkit_wait_win.h"
#include "ui_driver_win.h"
#include "ui_input_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>

namespace korvane {
namespace {

namespace ui = korvane::test::ui;

constexpr const char* kTwoDisks = "[PhysicalDrive0]\r\n"
                                  "Model=COOL DISK 80\r\n"
                                  "Serial=C80\r\n"
                                  "Sectors=156301488\r\n"
                                  "Temperature=35\r\n"
                                  "[PhysicalDrive1]\r\n"
                                  "Model=SECOND DISK 250\r\n"
                                  "Serial=S250\r\n"
                                  "Sectors=488397168\r\n"
                                  "Temperature=40\r\n";

// A rectangle that compares and prints.
struct Box {
    LONG left, top, right, bottom;
    static Box Of(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
    bool operator==(const Box&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& b) {
        return out << b.left << "," << b.top << " - " << b.right << "," << b.bottom;
    }
};

// Whether Wine's own registry tool finds the autostart value (what `wine reg query` answers).
bool RegToolFindsAutostart() {
    test::Process reg;
    if (!reg.StartCommand(
            "reg.exe query \"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\" /v "
            "Brelo_Korvn",
            {}, CREATE_NO_WINDOW))
        return false;
    reg.WaitExit(20000);
    return reg.ExitCode() == 0;
}

class SettingsWindow : public ::testing::Test {
  protected:
    SettingsWindow() {
        const std::string dir = test::FreshTempDir("options_form");
        test::WriteFileBytes(test::JoinPath(dir, "simulation.ini"), kTwoDisks);
        app = std::make_unique<TApplication>(
            sim::CreateSimulatedDriver(test::JoinPath(dir, "simulation.ini")));
        ui::SetMessageFilter([](MSG& msg) { return forms::HandleFormNavigation(msg); });
    }
    ~SettingsWindow() override {
        ui::SetMessageFilter(nullptr);
        app.reset();
        // A Run value left behind would start this test program at the prefix's next boot.
        CreateWin32Registry()->RegistryDeleteValue(RegistryRoot::CurrentUser, kAutostartKeyPath,
                                                   kAutostartValueName);
    }

    HWND Window() const { return OptionsForm->Handle(); }
    HWND Tree() const { return ui::FindDescendant(Window(), "SysTreeView32"); }
    HWND Child(const std::string& text) const { return ui::FindByText(Window(), text); }
    std::string Ini() const { return test::ProgramDataFolder() + kSettingsFileName; }
    std::string Read(const char* section, const char* key) const {
        char value[256] = {};
        GetPrivateProfileStringA(section, key, "<none>", value, sizeof(value), Ini().c_str());
        return value;
    }
    void Write(const char* section, const char* key, const char* value) const {
        WritePrivateProfileStringA(section, key, value, Ini().c_str());
    }

    void Open(int32_t page = 0) {
        OptionsForm->ShowPage(page);
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(Window()); }));
    }
    bool WaitHidden() {
        return ui::WaitUntil([&] { return !ui::IsVisible(Window()); });
    }
    // The visible page's group: the one captioned "[ text ]".
    bool ShowsPage(const std::string& text) const {
        const HWND group = Child("[ " + text + " ]");
        return group != nullptr && ui::IsVisible(group);
    }
    HTREEITEM TreeItem(const std::string& text) const {
        std::vector<HTREEITEM> pending{TreeView_GetRoot(Tree())};
        while (!pending.empty()) {
            HTREEITEM item = pending.back();
            pending.pop_back();
            for (; item != nullptr; item = TreeView_GetNextSibling(Tree(), item)) {
                if (ui::TreeItemText(Tree(), item) == text)
                    return item;
                if (HTREEITEM child = TreeView_GetChild(Tree(), item))
                    pending.push_back(child);
            }
        }
        return nullptr;
    }
    POINT ItemCentre(HTREEITEM item) const {
        RECT r{};
        TreeView_GetItemRect(Tree(), item, &r, TRUE);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // A click on the item, as the user chooses a page.
    void ClickItem(const std::string& text) {
        const HTREEITEM item = TreeItem(text);
        ASSERT_NE(nullptr, item) << text;
        const POINT at = ItemCentre(item);
        ui::ClickAt(Tree(), at.x, at.y);
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::TreeSelectionText(Tree()) == text; })) << text;
    }
    HWND LogPage() const { return Child("[ Log ]"); }
    HWND DaysBox() const { return ui::FindDescendant(LogPage(), "Edit"); }
    void Press(const char* text) {
        const HWND button = Child(text);
        ASSERT_NE(nullptr, button) << text;
        ui::Click(button);
    }
    HWND AppWindow() const { return app->Window().Handle(); }

    test::CleanDataFolder clean;
    std::unique_ptr<TApplication> app;
};

TEST_F(SettingsWindow, OpensFromTheTrayAtGeneralAndAtADisksPageFromItsIndicator) {
    ASSERT_NE(nullptr, OptionsForm);
    EXPECT_FALSE(ui::IsVisible(Window()));
    EXPECT_FALSE(ui::IsVisible(AppWindow()));

    // The main menu's Settings entry.
    app->OnMenuCommand(*app->TrayMenu, FindMenuCommand(*app->TrayMenu, kCmdSettings));
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(Window()); }));
    EXPECT_EQ("Korvane - Settings", ui::Text(Window()));
    EXPECT_EQ(AppWindow(), GetWindow(Window(), GW_OWNER));
    RECT client{};
    GetClientRect(Window(), &client);
    EXPECT_EQ(500, client.right);
    EXPECT_EQ(410, client.bottom);
    const LONG style = GetWindowLongA(Window(), GWL_STYLE);
    EXPECT_EQ(0, style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_NE(0, SendMessageA(Window(), WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ("General", ui::TreeSelectionText(Tree()));
    EXPECT_TRUE(ShowsPage("General"));
    EXPECT_EQ(Tree(), ui::Focus());
    // Centred in the work area.
    RECT work{}, outer{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(((work.right - work.left) - (outer.right - outer.left)) / 2, outer.left);
    EXPECT_EQ(((work.bottom - work.top) - (outer.bottom - outer.top)) / 2, outer.top);
    // The application window stands in the task bar with the window's caption meanwhile.
    EXPECT_TRUE(ui::IsVisible(AppWindow()));
    EXPECT_EQ("Korvane - Settings", ui::Text(AppWindow()));

    // The tree: General, Hard Disks with one child per disk in disk order, Log.
    const HWND tree = Tree();
    const HTREEITEM general = TreeView_GetRoot(tree);
    const HTREEITEM disks = TreeView_GetNextSibling(tree, general);
    const HTREEITEM log = TreeView_GetNextSibling(tree, disks);
    EXPECT_EQ(general, TreeItem("General"));
    EXPECT_EQ(disks, TreeItem("Hard Disks"));
    EXPECT_EQ(log, TreeItem("Log"));
    EXPECT_EQ(nullptr, TreeView_GetNextSibling(tree, log));
    const HTREEITEM first = TreeView_GetChild(tree, disks);
    EXPECT_EQ(first, TreeItem("COOL DISK 80"));
    EXPECT_EQ(TreeView_GetNextSibling(tree, first), TreeItem("SECOND DISK 250"));
    EXPECT_NE(0u, TreeView_GetItemState(tree, disks, TVIS_EXPANDED) & TVIS_EXPANDED);
    RECT treeRect{};
    GetWindowRect(tree, &treeRect);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&treeRect), 2);
    EXPECT_EQ((Box{6, 8, 136, 371}), Box::Of(treeRect));
    // The strip's buttons, counted back from its right edge.
    for (auto [text, left] : {std::pair{"&OK", 245}, {"&Apply", 330}, {"&Cancel", 415}}) {
        RECT r{};
        GetWindowRect(Child(text), &r);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((Box{left, 374 + 7, left + 80, 374 + 7 + 26}), Box::Of(r)) << text;
    }

    // Cancel hides the window and the task-bar entry with it.
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
    EXPECT_TRUE(ui::WaitUntil([&] { return !ui::IsVisible(AppWindow()); }));

    // A double click delivered to the second disk's indicator (tray icon 3) opens its page.
    PostMessageA(AppWindow(), kTrayCallbackMessage, 3, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(Window()); }));
    EXPECT_EQ("SECOND DISK 250", ui::TreeSelectionText(Tree()));
    EXPECT_TRUE(ShowsPage("SECOND DISK 250"));
    EXPECT_FALSE(ShowsPage("General"));

    // The first disk's menu, "Hard Disk Settings...".
    PopupMenuPort& diskMenu = *app->Drives->GetDrive(0)->Menu();
    app->OnMenuCommand(diskMenu, FindMenuCommand(diskMenu, kCmdDiskSettings));
    EXPECT_EQ("COOL DISK 80", ui::TreeSelectionText(Tree()));
    EXPECT_TRUE(ShowsPage("COOL DISK 80"));

    // A double click on the main icon (tray icon 1) opens it at General again.
    PostMessageA(AppWindow(), kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::TreeSelectionText(Tree()) == "General"; }));
    EXPECT_TRUE(ShowsPage("General"));

    // An index past the disks, and past the top-level pages, falls back to General.
    OptionsForm->ShowDiskPage(1);
    EXPECT_EQ("SECOND DISK 250", ui::TreeSelectionText(Tree()));
    OptionsForm->ShowDiskPage(2);
    EXPECT_EQ("General", ui::TreeSelectionText(Tree()));
    OptionsForm->ShowPage(2);
    EXPECT_EQ("Log", ui::TreeSelectionText(Tree()));
    EXPECT_TRUE(ShowsPage("Log"));
    OptionsForm->ShowPage(3);
    EXPECT_EQ("General", ui::TreeSelectionText(Tree()));
    OptionsForm->ShowPage(1);
    EXPECT_EQ("Hard Disks", ui::TreeSelectionText(Tree()));
}

TEST_F(SettingsWindow, HardDisksShowsTheCommonPageAndStaysExpanded) {
    Open();
    ClickItem("Hard Disks");
    EXPECT_TRUE(ShowsPage("Common Drive Settings"));
    EXPECT_FALSE(ShowsPage("General"));
    ClickItem("Log");
    EXPECT_TRUE(ShowsPage("Log"));
    EXPECT_FALSE(ShowsPage("Common Drive Settings"));
    ClickItem("COOL DISK 80");
    EXPECT_TRUE(ShowsPage("COOL DISK 80"));
    EXPECT_FALSE(ShowsPage("Log"));

    const HTREEITEM disks = TreeItem("Hard Disks");
    const auto expanded = [&] {
        return (TreeView_GetItemState(Tree(), disks, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    };
    ClickItem("Hard Disks");
    // The keyboard's collapse keys and a double click on the item.
    for (UINT key : {VK_LEFT, VK_SUBTRACT}) {
        ui::PressKey(key);
        ui::PumpMessages();
        EXPECT_TRUE(expanded()) << key;
        EXPECT_NE(nullptr, TreeView_GetNextVisible(Tree(), disks));
    }
    const POINT at = ItemCentre(disks);
    ui::DoubleClickAt(Tree(), at.x, at.y);
    ui::PumpMessages();
    EXPECT_TRUE(expanded());
    EXPECT_EQ(TreeItem("COOL DISK 80"), TreeView_GetNextVisible(Tree(), disks));
}

TEST_F(SettingsWindow, PagesAndTabsNotYetShownSaveNothingAndComeUpInTheUnitChosenMeanwhile) {
    // A value the main-icon list cannot show: the General page, once built, saves it as -1.
    Write("General", "ShowMainIcon", "7");
    Write("Drive_COMMON", "NormalTemp_IconTextColor", "12345");
    OptionsForm->ShowDiskPage(0);
    ASSERT_TRUE(ui::WaitUntil([&] { return ui::IsVisible(Window()); }));
    EXPECT_TRUE(ShowsPage("COOL DISK 80"));
    EXPECT_EQ(nullptr, Child("Load at Windows startup"));
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ("7", Read("General", "ShowMainIcon"));
    EXPECT_EQ("12345", Read("Drive_COMMON", "NormalTemp_IconTextColor"));

    // A page first shown after a unit switch shows its levels in that unit; its level tab, first
    // chosen now, too.
    Open();
    ui::Click(Child("Fahrenheit (\xB0"
                    "F)"));
    ClickItem("Hard Disks");
    DiskPage& common = OptionsForm->DiskPageAt(DiskPage::kCommonSlot);
    Press("&Apply");
    EXPECT_EQ("12345", Read("Drive_COMMON", "NormalTemp_IconTextColor"));
    EXPECT_EQ(nullptr, Child("Warning Temperature Level (\xB0"
                             "F)"));
    const double start = test::NowMs();
    ui::ClickTab(common.Tabs().Handle(), 1);
    std::printf("[ figure ] first choice of the level tab, its six colour lists built: %.0f ms\n",
                test::NowMs() - start);
    EXPECT_NE(nullptr, Child("Warning Temperature Level (\xB0"
                             "F)"));
    EXPECT_EQ("122", ui::Text(common.WarningBox().Handle()));
    EXPECT_EQ("???", ui::Text(common.Colors(0).text->Handle()));
    Press("&Apply");
    EXPECT_EQ("50", Read("Drive_COMMON", "WarningTemp_Level"));
    EXPECT_EQ("-1", Read("General", "ShowMainIcon"));
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
}

TEST_F(SettingsWindow, StoredLogDaysOfZeroIsRepairedAtOnceEvenWhenCancelled) {
    Write("General", "LogDays", "0");
    Open(2);
    EXPECT_EQ("1", ui::Text(DaysBox()));
    EXPECT_EQ("1", Read("General", "LogDays"));
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ("1", Read("General", "LogDays"));
}

TEST_F(SettingsWindow, DaysBoxKeepsItsRangeWhenLeftAndTheLogBoxRulesItsDependants) {
    Open(2);
    const HWND days = DaysBox();
    ASSERT_NE(nullptr, days);
    EXPECT_EQ("3", ui::Text(days)); // the first-run value
    const HWND spin = ui::FindDescendant(LogPage(), "msctls_updown32");
    ASSERT_NE(nullptr, spin);
    int lowest = 0, highest = 0;
    SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                 reinterpret_cast<LPARAM>(&highest));
    EXPECT_EQ(1, lowest);
    EXPECT_EQ(1000, highest);

    ui::SetFocusTo(days);
    SendMessageA(days, EM_SETSEL, 0, -1);
    ui::Type(days, "5000");
    EXPECT_EQ("5000", ui::Text(days));
    ui::SetFocusTo(Tree());
    EXPECT_EQ("1000", ui::Text(days));

    ui::SetFocusTo(days);
    SendMessageA(days, EM_SETSEL, 0, -1);
    ui::PressKey(VK_DELETE);
    EXPECT_EQ("", ui::Text(days));
    ui::SetFocusTo(Tree());
    EXPECT_EQ("1", ui::Text(days));

    // "Log temperature changes" rules the label, the box, its spin control and "days".
    const HWND logBox = Child("Log temperature changes");
    const std::vector<HWND> dependants = {Child("Store log records for "), days, spin,
                                          Child("days")};
    for (HWND w : dependants) {
        ASSERT_NE(nullptr, w);
        EXPECT_TRUE(ui::IsEnabled(w));
    }
    ui::Click(logBox);
    ASSERT_FALSE(ui::IsChecked(logBox));
    for (HWND w : dependants)
        EXPECT_FALSE(ui::IsEnabled(w));
    EXPECT_EQ("1", Read("General", "LogEnabled")); // nothing saved yet
    ui::Click(logBox);
    for (HWND w : dependants)
        EXPECT_TRUE(ui::IsEnabled(w));

    // Enter presses OK while the box still has the focus: its check runs all the same.
    ui::SetFocusTo(days);
    SendMessageA(days, EM_SETSEL, 0, -1);
    ui::PressKey(VK_DELETE);
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ("1", Read("General", "LogDays"));
}

TEST_F(SettingsWindow, ApplyKeepsTheWindowOpenCancelAfterApplyKeepsWhatItSavedCloseBoxDropsEdits) {
    Open();
    const HWND fahrenheit = Child("Fahrenheit (\xB0"
                                  "F)");
    const HWND celsius = Child("Celsius (\xB0"
                               "C)");
    ASSERT_NE(nullptr, fahrenheit);
    EXPECT_TRUE(ui::IsChecked(celsius));
    ui::Click(fahrenheit);
    EXPECT_TRUE(ui::IsChecked(fahrenheit));
    EXPECT_FALSE(ui::IsChecked(celsius));
    Press("&Apply");
    EXPECT_TRUE(ui::IsVisible(Window()));
    EXPECT_EQ("0", Read("General", "UseCelsius"));

    ui::Click(celsius);
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ("0", Read("General", "UseCelsius"));
    Open();
    EXPECT_TRUE(ui::IsChecked(fahrenheit));

    // The close box: hidden, nothing saved; the next opening shows the stored values again.
    const HWND mainIcon = ui::FindDescendant(Window(), "ComboBox");
    EXPECT_EQ(1, ui::ComboSelection(mainIcon));
    ui::PickComboItem(mainIcon, 2);
    ui::Click(celsius);
    PostMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitHidden());
    EXPECT_TRUE(IsWindow(Window()));
    EXPECT_TRUE(ui::WaitUntil([&] { return !ui::IsVisible(AppWindow()); }));
    EXPECT_EQ("1", Read("General", "ShowMainIcon"));
    EXPECT_EQ("0", Read("General", "UseCelsius"));
    Open();
    EXPECT_EQ(1, ui::ComboSelection(mainIcon));
    EXPECT_TRUE(ui::IsChecked(fahrenheit));
    // A stored value outside the list leaves it without a selection.
    Write("General", "ShowMainIcon", "7");
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
    Open();
    EXPECT_EQ(-1, ui::ComboSelection(mainIcon));
}

// The collectors' two settings: the event log on while the file has no key, the metrics file's
// path saved trimmed, empty meaning off.
TEST_F(SettingsWindow, EventLogIsOnWithoutItsKeyAndTheMetricsPathIsSaved) {
    Open();
    const HWND eventLog = Child("Write events to the Windows event log");
    const HWND group = Child("Metrics file (windows_exporter textfile collector)");
    ASSERT_NE(nullptr, eventLog);
    ASSERT_NE(nullptr, group);
    EXPECT_TRUE(ui::IsChecked(eventLog));
    const HWND path = ui::FindDescendant(group, "Edit");
    ASSERT_NE(nullptr, path);
    EXPECT_EQ("", ui::Text(path));
    EXPECT_NE(nullptr, ui::FindByText(group, "...", "Button"));
    SetWindowTextA(path, "  C:\\textfile_inputs\\korvane.prom ");
    ui::Click(eventLog);
    Press("&Apply");
    EXPECT_EQ("0", Read("General", "EventLogEnabled"));
    EXPECT_EQ("C:\\textfile_inputs\\korvane.prom", Read("General", "MetricsFile"));
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
    Open();
    EXPECT_FALSE(ui::IsChecked(eventLog));
    EXPECT_EQ("C:\\textfile_inputs\\korvane.prom", ui::Text(path));
    Press("&Cancel");
    ASSERT_TRUE(WaitHidden());
}

TEST_F(SettingsWindow, OkTakesEffectInTheRegistryTheTrayAndTheRunningDisks) {
    // The first run switched autostart on.
    EXPECT_TRUE(RegToolFindsAutostart());
    Open();
    const HWND autostart = Child("Load at Windows startup");
    EXPECT_TRUE(ui::IsChecked(autostart));
    ui::Click(autostart);
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_FALSE(RegToolFindsAutostart());
    Open();
    EXPECT_FALSE(ui::IsChecked(autostart));
    ui::Click(autostart);
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_TRUE(RegToolFindsAutostart());

    // Units: the disks' tooltips follow at once; the temperature log goes on with its lines.
    TDrive& disk = *app->Drives->GetDrive(0);
    EXPECT_NE(std::string::npos, disk.TrayIcon().Tooltip().find("35\xB0"
                                                                "C"));
    const std::string log = test::ProgramDataFolder() + kLogsFolderName + disk.LogFileName();
    const size_t linesBefore = test::ReadLines(log).size();
    Open();
    ui::Click(Child("Fahrenheit (\xB0"
                    "F)"));
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_NE(std::string::npos, disk.TrayIcon().Tooltip().find("95\xB0"
                                                                "F"))
        << disk.TrayIcon().Tooltip();
    const std::vector<std::string> lines = test::ReadLines(log);
    ASSERT_GT(lines.size(), linesBefore);
    EXPECT_NE(std::string::npos, lines.back().find("Temperature = 35\xB0"
                                                   "C (95\xB0"
                                                   "F)"));

    // The main icon: "Always" puts it into the tray, "Never" takes it out.
    const TrayIconIdentity mainIcon = app->MainTrayIcon->Identity();
    EXPECT_FALSE(test::ShellHasIcon(mainIcon)); // the disks show theirs
    Open();
    const HWND list = ui::FindDescendant(Window(), "ComboBox");
    ui::PickComboItem(list, 0);
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_TRUE(test::ShellHasIcon(mainIcon));
    EXPECT_EQ("0", Read("General", "ShowMainIcon"));
    Open();
    ui::PickComboItem(list, 2);
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_FALSE(test::ShellHasIcon(mainIcon));
    EXPECT_EQ("2", Read("General", "ShowMainIcon"));
}

TEST_F(SettingsWindow, APollIntervalEditedByHandIsAppliedToTheRunningDisksByOk) {
    // The disks use the common settings after their first run.
    Write("Drive_COMMON", "PollInterval", "7");
    Write("Drive_COMMON", "PollUnits", "0");
    const auto intervalLines = [] {
        int n = 0;
        for (const std::string& line : test::ReadLines(test::ProgramDataFolder() + kDebugLogName)) {
            n += test::DebugMessage(line) == "HDD1 - COOL DISK 80: set polling interval to 7 sec";
        }
        return n;
    };
    EXPECT_EQ(0, intervalLines());
    Open();
    Press("&OK");
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ(1, intervalLines());
    EXPECT_EQ(7000, app->Drives->GetDrive(0)->PollTimer().Interval());
    EXPECT_TRUE(app->Drives->GetDrive(0)->PollTimer().Enabled());
}

// Where a number box is and what its key must hold after something not a number was pasted in.
struct NumberBox {
    int32_t slot; // a disk page's slot (-1 the common page); kLogSlot the Log page's days box
    int tab;      // 0 the interval box, 1 and 2 the warning and critical boxes
    const char* section;
    const char* key;
    const char* stored; // the box's lower bound (the critical one: one above the warning level)
};
constexpr int32_t kLogSlot = 99;
constexpr const char* kOwnSection = "Drive_COOL DISK 80";

enum class SavePath { Leave, Enter, Ok, Apply };

TEST_F(SettingsWindow, PastedTextInEveryNumberBoxIsStoredAsANumberInRangeByEveryPathThatSaves) {
    Write(kOwnSection, "UseCommonSettings", "0"); // the first disk shows its own boxes
    // The critical box before the warning one: pasted into both, they keep 1 and 51.
    const std::vector<NumberBox> boxes = {
        {DiskPage::kCommonSlot, 0, "Drive_COMMON", "PollInterval", "1"},
        {DiskPage::kCommonSlot, 2, "Drive_COMMON", "CriticalTemp_Level", "51"},
        {DiskPage::kCommonSlot, 1, "Drive_COMMON", "WarningTemp_Level", "1"},
        {kLogSlot, 0, "General", "LogDays", "1"},
        {0, 2, kOwnSection, "CriticalTemp_Level", "51"},
        {0, 1, kOwnSection, "WarningTemp_Level", "1"},
        {0, 0, kOwnSection, "PollInterval", "1"},
    };
    // Leave, OK and Apply with a paste into every box; Enter with each box the focused one,
    // the disk's interval box last.
    struct Round {
        SavePath path;
        std::vector<NumberBox> boxes;
    };
    std::vector<Round> rounds = {
        {SavePath::Leave, boxes}, {SavePath::Ok, boxes}, {SavePath::Apply, boxes}};
    for (const NumberBox& box : boxes)
        rounds.push_back({SavePath::Enter, {box}});
    const char* const pasted[] = {"12abc", "-3x", "1e5"};
    int turn = 0;
    for (const Round& round : rounds) {
        for (const char* section : {kOwnSection, "Drive_COMMON"}) {
            Write(section, "PollInterval", "20");
            Write(section, "WarningTemp_Level", "50");
            Write(section, "CriticalTemp_Level", "60");
        }
        Write("General", "LogDays", "3");
        Open();
        for (const NumberBox& box : round.boxes) {
            const char* text = pasted[turn++ % 3];
            SCOPED_TRACE(std::string(box.section) + " " + box.key + " <- " + text + ", path " +
                         std::to_string(static_cast<int>(round.path)));
            HWND edit = nullptr;
            if (box.slot == kLogSlot) {
                ClickItem("Log");
                edit = DaysBox();
            } else {
                DiskPage& page = OptionsForm->DiskPageAt(box.slot);
                ClickItem(box.slot == DiskPage::kCommonSlot ? "Hard Disks" : "COOL DISK 80");
                ui::ClickTab(page.Tabs().Handle(), box.tab == 0 ? 0 : 1);
                if (box.tab > 0)
                    ui::ClickTab(page.LevelTabs().Handle(), box.tab);
                edit = box.tab == 0   ? page.IntervalBox().Handle()
                       : box.tab == 1 ? page.WarningBox().Handle()
                                      : page.CriticalBox().Handle();
            }
            ui::PasteOver(edit, text);
            ASSERT_EQ(text, ui::Text(edit)); // the digits-only rule let the paste through
            if (round.path == SavePath::Leave) {
                ui::SetFocusTo(Tree());
                EXPECT_EQ(box.stored, ui::Text(edit));
            }
        }
        switch (round.path) {
        case SavePath::Enter:
            ui::PressKey(VK_RETURN);
            ASSERT_TRUE(WaitHidden());
            break;
        case SavePath::Ok:
            Press("&OK");
            ASSERT_TRUE(WaitHidden());
            break;
        case SavePath::Leave:
        case SavePath::Apply:
            Press("&Apply");
            Press("&Cancel");
            ASSERT_TRUE(WaitHidden());
            break;
        }
        for (const NumberBox& box : round.boxes)
            EXPECT_EQ(box.stored, Read(box.section, box.key))
                << box.section << " " << box.key << ", path " << static_cast<int>(round.path);
    }
    // The last Enter left the disk's interval at 1 second: it is still polled.
    TDrive& disk = *app->Drives->GetDrive(0);
    EXPECT_EQ(1000, disk.PollTimer().Interval());
    EXPECT_TRUE(disk.PollTimer().Enabled());
    const std::string log = test::ProgramDataFolder() + kLogsFolderName + disk.LogFileName();
    const size_t linesBefore = test::ReadLines(log).size();
    EXPECT_TRUE(ui::WaitUntil([&] { return test::ReadLines(log).size() > linesBefore; }));
}

TEST_F(SettingsWindow, FahrenheitLevelsNeverStoreLessThanOneDegreeOrWrapPastTenDigits) {
    Write("General", "UseCelsius", "0");
    Open(1);
    DiskPage& page = OptionsForm->DiskPageAt(DiskPage::kCommonSlot);
    ui::ClickTab(page.Tabs().Handle(), 1);
    ui::ClickTab(page.LevelTabs().Handle(), 1);
    const HWND warning = page.WarningBox().Handle();
    const HWND critical = page.CriticalBox().Handle();
    int lowest = 0, highest = 0;
    SendMessageA(page.Level(0).spin->Handle(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                 reinterpret_cast<LPARAM>(&highest));
    EXPECT_EQ(34, lowest);
    EXPECT_EQ(200, highest);
    // 33 F, the Fahrenheit of 1 C, would store (33 * 5 - 160) / 9 = 0.
    for (const char* typed : {"1", "33"}) {
        ui::TypeOver(warning, typed);
        ui::SetFocusTo(Tree());
        EXPECT_EQ("34", ui::Text(warning)) << typed;
    }
    // Eleven digits wrap to 1 in 32 bits, and 4294967297 F would store -17 C.
    ui::TypeOver(critical, "4294967297");
    ui::SetFocusTo(Tree());
    EXPECT_EQ("200", ui::Text(critical));
    Press("&Apply");
    EXPECT_EQ("1", Read("Drive_COMMON", "WarningTemp_Level"));
    EXPECT_EQ("93", Read("Drive_COMMON", "CriticalTemp_Level"));
    // Enter with the box still focused stores no less either.
    ui::TypeOver(warning, "20");
    ui::PressKey(VK_RETURN);
    ASSERT_TRUE(WaitHidden());
    EXPECT_EQ("1", Read("Drive_COMMON", "WarningTemp_Level"));
}

// Moved to monitors of every usual scale (WM_DPICHANGED with the rectangle Windows suggests), the
// window keeps its client area at that scale and every text of every page fits its control.
TEST_F(SettingsWindow, PicturesOfThePagesAndEveryTextFittingAtEveryScale) {
    Open();
    const LONG style = GetWindowLongA(Window(), GWL_STYLE);
    const LONG exStyle = GetWindowLongA(Window(), GWL_EXSTYLE);
    for (const int dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        RECT outer{};
        GetWindowRect(Window(), &outer);
        // This process stays at the screen's DPI, and so does the frame Wine draws around the
        // window: the suggestion is the window of the scaled client area in that frame.
        RECT place{0, 0, forms::ScaleToDpi(500, dpi), forms::ScaleToDpi(410, dpi)};
        AdjustWindowRectEx(&place, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
        OffsetRect(&place, outer.left - place.left, outer.top - place.top);
        SendMessageA(Window(), forms::kDpiChangedMessage, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&place));
        RECT client{};
        GetClientRect(Window(), &client);
        // A window taller than the screen is cut to it, as on Windows; 192 dpi needs more than
        // this display's 768 lines.
        if (place.bottom - place.top <= GetSystemMetrics(SM_CYSCREEN)) {
            EXPECT_NEAR(forms::ScaleToDpi(500, dpi), client.right, 2);
            EXPECT_NEAR(forms::ScaleToDpi(410, dpi), client.bottom, 2);
        }
        // Pictures at 100 %; win.DocsImages takes those of the other scales.
        const bool pictures = dpi == 96;
        const auto check = [&](const std::string& item, const std::string& picture) {
            ClickItem(item);
            EXPECT_EQ(std::vector<std::string>{}, test::ClippedTexts(Window(), dpi)) << item;
            if (pictures) {
                EXPECT_FALSE(ui::SaveWindowPng(Window(), picture).empty());
            }
        };
        check("General", "settings_general");
        check("Log", "settings_log");
        check("Hard Disks", "settings_common");
        check("COOL DISK 80", "settings_disk");
        // The disk's own settings, on each of its three tabs.
        const HWND common = ui::FindByText(
            Window(), "Use Common Temperature settings for this hard disk", "Button");
        ASSERT_NE(nullptr, common);
        if (ui::IsChecked(common))
            ui::Click(common);
        HWND tabs = nullptr;
        for (int i = 0; (tabs = ui::FindDescendant(Window(), "SysTabControl32", i)); ++i)
            if (ui::IsVisible(tabs) && ui::TabCount(tabs) == 3)
                break;
        ASSERT_NE(nullptr, tabs);
        for (int tab = 0; tab < 3; ++tab) {
            ui::ClickTab(tabs, tab);
            EXPECT_EQ(std::vector<std::string>{}, test::ClippedTexts(Window(), dpi)) << tab;
            if (pictures) {
                EXPECT_FALSE(
                    ui::SaveWindowPng(Window(), "settings_disk_tab" + std::to_string(tab)).empty());
            }
            // The levels' and the alarms' inner tabs, each of them.
            HWND inner = nullptr;
            for (int i = 0; (inner = ui::FindDescendant(Window(), "SysTabControl32", i)); ++i)
                if (inner != tabs && ui::IsVisible(inner))
                    break;
            for (int page = 1; inner != nullptr && page < ui::TabCount(inner); ++page) {
                ui::ClickTab(inner, page);
                EXPECT_EQ(std::vector<std::string>{}, test::ClippedTexts(Window(), dpi))
                    << tab << "/" << page;
            }
            if (inner != nullptr)
                ui::ClickTab(inner, 0);
        }
    }
}

} // namespace
} // namespace korvane

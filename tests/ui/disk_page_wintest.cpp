// The settings window's disk pages under Wine, through the UI driver, against a real Korvn.ini
// and real disks over the simulated driver.
#include "ui/disk_page_win.h"

#include "app/alarm_dispatch.h"
#include "settings/keys.h"
#include "ui/disk_page_texts.h"

#include "disk_page_rig_win.h"
#include "executor_fakes.h"
#include "test_env.h"
#include "text_lines.h"
#include "ui_driver_win.h"
#include "ui_input_win.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

namespace ui = korvane::test::ui;
using namespace disk_page;
using test::DiskPageRig;

constexpr int kCommon = DiskPage::kCommonSlot;

std::string Disk(int number, const std::string& model, int temperature,
                 const std::string& extra = "") {
    return "[PhysicalDrive" + std::to_string(number) + "]\nModel=" + model + "\nSerial=SN" +
           std::to_string(number) +
           "\nSectors=156301488\nTemperature=" + std::to_string(temperature) + "\n" + extra;
}

// Writes one key into the settings file before the store and the disks see it.
auto Preset(std::vector<std::array<std::string, 3>> keys) {
    return [keys](const std::string& ini) {
        for (const auto& [section, name, value] : keys) {
            WritePrivateProfileStringA(section.c_str(), name.c_str(), value.c_str(), ini.c_str());
        }
    };
}

std::vector<std::string> TabTexts(forms::TabControl& tabs) {
    std::vector<std::string> texts;
    for (int i = 0; i < tabs.Count(); ++i) {
        texts.push_back(tabs.TabText(i));
    }
    return texts;
}

const std::vector<std::string> kAllTabs{kGeneralTab, kLevelsTab, kControlTab};
const std::vector<std::string> kGeneralOnly{kGeneralTab};

// The key names of one section of a profile file, in the file's order.
std::vector<std::string> SectionKeys(const std::string& text, const std::string& section) {
    std::vector<std::string> keys;
    bool inside = false;
    for (const std::string& line : test::SplitCrLf(text)) {
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + section + "]";
        } else if (inside && line.find('=') != std::string::npos) {
            keys.push_back(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

std::vector<std::string> DiskDefaultKeys() {
    std::vector<std::string> keys;
    bool inSet = false;
    for (const SettingsString& s : kSettingsStrings) {
        inSet = inSet || std::string(s.name) == key::PollInterval.name;
        if (inSet) {
            keys.push_back(s.name);
        }
    }
    return keys;
}

HWND H(forms::Control& control) {
    return control.Handle();
}
HWND H(forms::Control* control) {
    return control->Handle();
}

TEST(DiskPageTabs, ACommonSettingsDiskShowsOnlyGeneralAndGetsBothTabsBackInOrder) {
    DiskPageRig rig("disk_page_tabs", Disk(0, "SIM DISK 80", 45));
    rig.Load(true);
    rig.ShowPage(0);
    DiskPage& page = rig.Page(0);
    ASSERT_TRUE(page.EnableBox()->Checked());
    ASSERT_TRUE(page.CommonBox()->Checked());
    EXPECT_EQ(kGeneralOnly, TabTexts(page.Tabs()));
    EXPECT_TRUE(ui::IsVisible(H(page.EnableBox())));
    EXPECT_TRUE(ui::IsVisible(H(page.CommonBox())));
    EXPECT_FALSE(ui::IsVisible(H(page.PollGroup())));
    EXPECT_FALSE(ui::IsVisible(H(page.TrayGroup())));

    ui::Click(H(page.CommonBox()));
    EXPECT_FALSE(page.CommonBox()->Checked());
    EXPECT_EQ(kAllTabs, TabTexts(page.Tabs()));
    EXPECT_TRUE(ui::IsVisible(H(page.PollGroup())));
    EXPECT_TRUE(ui::IsVisible(H(page.TrayGroup())));
    EXPECT_EQ(1, rig.enableClicks); // the settings window hears of it

    // The tab that goes away while selected leaves "General" showing.
    ui::ClickTab(H(page.Tabs()), 2);
    EXPECT_EQ(2, ui::TabSelection(H(page.Tabs())));
    ui::Click(H(page.CommonBox()));
    EXPECT_EQ(kGeneralOnly, TabTexts(page.Tabs()));
    EXPECT_EQ(0, ui::TabSelection(H(page.Tabs())));
    EXPECT_TRUE(ui::IsVisible(H(page.Tabs().Page(0))));
    EXPECT_FALSE(ui::IsVisible(H(page.Alarm(0).playSound)));
    ui::Click(H(page.CommonBox()));
    EXPECT_EQ(kAllTabs, TabTexts(page.Tabs()));
    ui::ClickTab(H(page.Tabs()), 1);
    EXPECT_TRUE(ui::IsVisible(H(page.LevelTabs())));
}

TEST(DiskPageTabs, UncheckingMonitoringDisablesTheCommonBoxAndRemovesBothTabs) {
    DiskPageRig rig("disk_page_enable", Disk(0, "SIM DISK 80", 45));
    rig.Load(true);
    rig.ShowPage(0);
    DiskPage& page = rig.Page(0);
    ui::Click(H(page.CommonBox())); // own settings: all three tabs
    ASSERT_EQ(kAllTabs, TabTexts(page.Tabs()));

    ui::Click(H(page.EnableBox()));
    EXPECT_FALSE(page.EnableBox()->Checked());
    EXPECT_FALSE(ui::IsEnabled(H(page.CommonBox())));
    EXPECT_FALSE(page.CommonBox()->Checked()); // whatever it says, the tabs go
    EXPECT_EQ(kGeneralOnly, TabTexts(page.Tabs()));
    EXPECT_FALSE(ui::IsVisible(H(page.PollGroup())));

    ui::Click(H(page.EnableBox()));
    EXPECT_TRUE(ui::IsEnabled(H(page.CommonBox())));
    EXPECT_EQ(kAllTabs, TabTexts(page.Tabs()));
    EXPECT_TRUE(ui::IsVisible(H(page.PollGroup())));
}

TEST(DiskPageTabs, TheCommonPageHasNoBoxesAndAlwaysAllThreeTabs) {
    DiskPageRig rig("disk_page_common", Disk(0, "SIM DISK 80", 45));
    rig.Load(true);
    DiskPage& common = rig.Page(kCommon);
    EXPECT_EQ(nullptr, common.EnableBox());
    EXPECT_EQ(nullptr, common.CommonBox());
    EXPECT_EQ(nullptr, ui::FindByText(H(common.Page()), kEnableBox));
    EXPECT_EQ(nullptr, ui::FindByText(H(common.Page()), kCommonBox));
    EXPECT_NE(nullptr, ui::FindByText(H(common.Page()), kCommonNote));
    EXPECT_EQ(nullptr, ui::FindByText(H(common.Page()), kModelCaption));

    // Clicks on a disk page's boxes leave the common page alone.
    rig.ShowPage(0);
    ui::Click(H(rig.Page(0).EnableBox()));
    rig.ShowPage(kCommon);
    EXPECT_EQ(kAllTabs, TabTexts(common.Tabs()));
    EXPECT_TRUE(ui::IsVisible(H(common.PollGroup())));
    EXPECT_TRUE(ui::IsVisible(H(common.TrayGroup())));
    EXPECT_EQ(60, common.Header().Height());
    EXPECT_EQ(75, rig.Page(0).Header().Height());
}

TEST(DiskPageTabs, HeaderShowsTheDiskAndRaisingPutsThePageOnTop) {
    // Two disks beyond 28-bit sector numbers (their log files are named after 134,2 GB), the
    // second read without rights through a geometry of 4 KB sectors.
    const std::string big = "Sectors48=3907029168\n";
    DiskPageRig rig("disk_page_header",
                    Disk(0, "SIM DISK 80", 45) + Disk(1, "OTHER 2TB", 41, big) +
                        Disk(2, "OTHER 4K", 42, big + "BytesPerSector=4096\nElevated=0\n"));
    rig.Load(true);
    for (const int slot : {1, 2}) {
        rig.ShowPage(slot);
        DiskPage& page = rig.Page(slot);
        const std::string model = slot == 1 ? "OTHER 2TB" : "OTHER 4K";
        const std::string serial = "SN" + std::to_string(slot);
        const std::vector<std::string> texts = ui::AllTexts(H(page.Header()));
        for (const std::string& expected :
             {std::string(kModelCaption), model, std::string(kSerialCaption), serial,
              std::string(kCapacityCaption), std::string("1953,5 GB")}) {
            EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), expected)) << expected;
        }
        EXPECT_EQ("[ " + model + " ]", ui::Text(H(page.Header())));
        EXPECT_EQ(GetWindow(H(page.Page()), GW_HWNDFIRST), H(page.Page()));
        EXPECT_FALSE(ui::IsVisible(H(rig.Page(0).Page())));
    }
    // A slot without a disk is built but left empty.
    EXPECT_EQ("", ui::Text(ui::FindChild(H(rig.Page(3).Header()), "Static", 1)));
}

class DiskPageLevels : public ::testing::Test {
  protected:
    // The common page on its "Temperature Levels" tab, the warning inner tab chosen.
    void Open(bool celsius) {
        rig.Load(celsius);
        rig.ShowPage(kCommon);
        ui::ClickTab(H(Page().Tabs()), 1);
        ui::ClickTab(H(Page().LevelTabs()), 1);
    }
    DiskPage& Page() { return rig.Page(kCommon); }
    HWND Warning() { return H(Page().WarningBox()); }
    HWND Critical() { return H(Page().CriticalBox()); }
    // Types over a box and leaves it for the other level box.
    void Enter(HWND box, const std::string& text) {
        ui::TypeOver(box, text);
        ui::SetFocusTo(box == Warning() ? Critical() : Warning());
    }
    std::string Stored(const SettingsString& k) { return rig.Key("Drive_COMMON", k.name); }

    DiskPageRig rig{"disk_page_levels", Disk(0, "SIM DISK 80", 45)};
};

TEST_F(DiskPageLevels, LeavingALevelBoxKeepsWarningBelowCriticalAndBothWithinRange) {
    Open(true);
    ASSERT_EQ("50", ui::Text(Warning()));
    ASSERT_EQ("60", ui::Text(Critical()));
    Enter(Warning(), "70");
    EXPECT_EQ("59", ui::Text(Warning()));
    Enter(Warning(), "50");
    EXPECT_EQ("50", ui::Text(Warning()));
    Enter(Critical(), "40");
    EXPECT_EQ("51", ui::Text(Critical()));
    Enter(Critical(), "250");
    EXPECT_EQ("200", ui::Text(Critical()));
    Enter(Warning(), "");
    EXPECT_EQ("1", ui::Text(Warning()));
    // Setting the text from code runs no check.
    Page().WarningBox().SetText("300");
    ui::SetFocusTo(Critical());
    EXPECT_EQ("300", ui::Text(Warning()));
}

TEST_F(DiskPageLevels, ACriticalLevelOfZeroNeverGivesAWarningBelowOne) {
    rig.Page(kCommon); // the stored critical level is broken by hand
    WritePrivateProfileStringA("Drive_COMMON", key::CriticalTemp_Level.name, "0",
                               rig.iniPath.c_str());
    Open(true);
    ASSERT_EQ("0", ui::Text(Critical()));
    ui::SetFocusTo(Warning());
    ui::SetFocusTo(H(Page().Colors(1).text)); // leaves the warning box, not for the critical one
    EXPECT_EQ("1", ui::Text(Warning()));
    Page().CriticalBox().SetText("");
    Enter(Warning(), "45");
    EXPECT_EQ("1", ui::Text(Warning()));
    ui::SetFocusTo(Warning()); // the critical box, left, climbs above the warning level
    EXPECT_EQ("2", ui::Text(Critical()));
    rig.Save(true);
    EXPECT_EQ("1", Stored(key::WarningTemp_Level));
    EXPECT_EQ("2", Stored(key::CriticalTemp_Level));
}

TEST_F(DiskPageLevels, SpinsStopBeforeTheOtherLevelAndAtTheirRange) {
    Open(true);
    Enter(Warning(), "59");
    ui::ClickSpin(H(*Page().Level(0).spin), true);
    EXPECT_EQ("59", ui::Text(Warning())); // 60 would reach the critical level
    ui::ClickSpin(H(*Page().Level(0).spin), false);
    EXPECT_EQ("58", ui::Text(Warning()));
    ui::ClickSpin(H(*Page().Level(1).spin), false);
    EXPECT_EQ("59", ui::Text(Critical()));
    ui::ClickSpin(H(*Page().Level(1).spin), false);
    EXPECT_EQ("59", ui::Text(Critical())); // 58 would reach the warning level
    Enter(Critical(), "200");
    ui::ClickSpin(H(*Page().Level(1).spin), true);
    EXPECT_EQ("200", ui::Text(Critical()));
}

TEST_F(DiskPageLevels, TheUnitSwitchConvertsBothWaysAndRelabels) {
    Open(true);
    HWND label = H(*Page().Level(0).label);
    EXPECT_EQ("Warning Temperature Level (\xB0"
              "C)",
              ui::Text(label));
    rig.SwitchUnit(false);
    EXPECT_EQ("122", ui::Text(Warning()));
    EXPECT_EQ("140", ui::Text(Critical()));
    EXPECT_EQ("Warning Temperature Level (\xB0"
              "F)",
              ui::Text(label));
    EXPECT_EQ("Critical Temperature Level (\xB0"
              "F)",
              ui::Text(H(*Page().Level(1).label)));
    // The box follows its label at 10 pixels, 60 wide with its spin control.
    RECT l{}, b{}, s{};
    GetWindowRect(label, &l);
    GetWindowRect(Warning(), &b);
    GetWindowRect(H(*Page().Level(0).spin), &s);
    EXPECT_EQ(l.right + 10, b.left);
    EXPECT_NEAR(b.left + 60, s.right, 2); // Wine keeps the edit's border beside the spin
    rig.SwitchUnit(true);
    EXPECT_EQ("50", ui::Text(Warning()));
    EXPECT_EQ("60", ui::Text(Critical()));
    // Every slot is converted, so the disk pages show the same unit.
    rig.SwitchUnit(false);
    EXPECT_EQ("122", ui::Text(H(rig.Page(0).WarningBox())));
}

TEST_F(DiskPageLevels, SavingInFahrenheitStoresCelsius) {
    Open(false);
    ASSERT_EQ("122", ui::Text(Warning()));
    ASSERT_EQ("140", ui::Text(Critical()));
    rig.Save(false);
    EXPECT_EQ("50", Stored(key::WarningTemp_Level));
    EXPECT_EQ("60", Stored(key::CriticalTemp_Level));
    Enter(Critical(), "176");
    Enter(Warning(), "158");
    rig.Save(false);
    EXPECT_EQ("70", Stored(key::WarningTemp_Level));
    EXPECT_EQ("80", Stored(key::CriticalTemp_Level));
    // An edited box is converted with truncation: 123 F is 50.5 C.
    Enter(Warning(), "123");
    rig.Save(false);
    EXPECT_EQ("50", Stored(key::WarningTemp_Level));
}

TEST_F(DiskPageLevels, AFahrenheitLevelOpenedAndConfirmedAgainAndAgainStaysPut) {
    WritePrivateProfileStringA("Drive_COMMON", key::WarningTemp_Level.name, "46",
                               rig.iniPath.c_str());
    for (int i = 0; i < 5; ++i) {
        Open(false);
        ASSERT_EQ("114", ui::Text(Warning()));
        rig.Save(false);
        ASSERT_EQ("46", Stored(key::WarningTemp_Level)) << "after OK number " << i + 1;
    }
    // And through the unit switch: 114 F goes back to the 46 it came from.
    Open(false);
    rig.SwitchUnit(true);
    EXPECT_EQ("46", ui::Text(Warning()));
    rig.Save(true);
    EXPECT_EQ("46", Stored(key::WarningTemp_Level));
}

TEST(DiskPageSaving, AnUneditedPageOfTheSameModelKeepsTheEditOfTheFirst) {
    DiskPageRig rig("disk_page_twins", Disk(0, "TWIN 80", 45) + Disk(1, "TWIN 80", 44));
    ASSERT_EQ(2, rig.drives->Count());
    rig.Load(true);
    rig.ShowPage(0);
    DiskPage& first = rig.Page(0);
    ui::Click(H(first.CommonBox()));
    ui::TypeOver(H(first.IntervalBox()), "30");
    ui::SetFocusTo(H(first.UnitsList()));
    ui::PickComboItem(H(first.UnitsList()), 1);
    rig.Save(true);
    EXPECT_EQ("0", rig.Key("Drive_TWIN 80", key::UseCommonSettings.name));
    EXPECT_EQ("30", rig.Key("Drive_TWIN 80", key::PollInterval.name));
    EXPECT_EQ("1", rig.Key("Drive_TWIN 80", key::PollUnits.name));

    // The next opening shows the edit on both pages; an edit on the second one now wins.
    rig.Load(true);
    EXPECT_FALSE(rig.Page(1).CommonBox()->Checked());
    EXPECT_EQ("30", rig.Page(1).IntervalBox().Text());
    rig.ShowPage(1);
    ui::TypeOver(H(rig.Page(1).IntervalBox()), "45");
    ui::SetFocusTo(H(rig.Page(1).UnitsList()));
    rig.Save(true);
    EXPECT_EQ("45", rig.Key("Drive_TWIN 80", key::PollInterval.name));
}

TEST(DiskPageSaving, TwinPagesWriteOnlyTheirOwnEditsAlsoAfterAnApply) {
    DiskPageRig rig("disk_page_twin_edits", Disk(0, "TWIN 80", 45) + Disk(1, "TWIN 80", 44));
    ASSERT_EQ(2, rig.drives->Count());
    const std::string section = "Drive_TWIN 80";
    rig.Load(true);
    rig.ShowPage(0);
    DiskPage& first = rig.Page(0);
    ui::Click(H(first.CommonBox()));
    ui::TypeOver(H(first.IntervalBox()), "30");
    ui::SetFocusTo(H(first.UnitsList()));
    rig.Save(true); // Apply: the second page, untouched, still shows the old values
    EXPECT_EQ("0", rig.Key(section, key::UseCommonSettings.name));
    EXPECT_EQ("30", rig.Key(section, key::PollInterval.name));

    // Both pages edited in different keys, then OK.
    ui::TypeOver(H(first.IntervalBox()), "45");
    ui::SetFocusTo(H(first.UnitsList()));
    rig.ShowPage(1);
    ui::Click(H(rig.Page(1).EnableBox()));
    rig.Save(true);
    EXPECT_EQ("45", rig.Key(section, key::PollInterval.name));
    EXPECT_EQ("0", rig.Key(section, key::UseCommonSettings.name));
    EXPECT_EQ("0", rig.Key(section, key::EnableTempControl.name));
    EXPECT_EQ("0", rig.Key(section, key::PollUnits.name));
}

TEST(DiskPageSaving, ValuesTheListsCannotShowAreWrittenBackAsRead) {
    // Without hibernation the first-run method, Hibernate, is not in the method lists.
    DiskPageRig rig("disk_page_unlisted", Disk(0, "SIM DISK 80", 45), nullptr, false);
    const std::string section = "Drive_SIM DISK 80";
    // Set by hand after the first run wrote its values.
    Preset({{"Drive_COMMON", key::NormalTemp_IconTextColor.name, "1234567"}})(rig.iniPath);
    rig.Load(true);
    EXPECT_EQ(-1, rig.Page(kCommon).Colors(0).text->ColorValue()); // shown as "???"
    rig.ShowPage(0);
    DiskPage& page = rig.Page(0);
    ui::Click(H(page.CommonBox())); // so that the disk page is saved too
    ui::ClickTab(H(page.Tabs()), 2);
    ui::ClickTab(H(page.ControlTabs()), 1);
    EXPECT_TRUE(page.Alarm(1).poweroff->Checked());
    EXPECT_EQ(-1, ui::ComboSelection(H(page.Alarm(1).method)));
    rig.Save(true); // the common page, never opened, is saved as well
    EXPECT_EQ("1234567", rig.Key("Drive_COMMON", key::NormalTemp_IconTextColor.name));
    for (const std::string& s : {std::string("Drive_COMMON"), section}) {
        EXPECT_EQ("1", rig.Key(s, key::WarningCtl_PoweroffMethod.name)) << s;
        EXPECT_EQ("1", rig.Key(s, key::CriticalCtl_PoweroffMethod.name)) << s;
    }
    EXPECT_EQ("0", rig.Key(section, key::UseCommonSettings.name));
}

TEST(DiskPageSaving, ADiskWithoutTemperatureKeepsItsMonitoringSwitchedOn) {
    DiskPageRig rig("disk_page_failing", Disk(0, "SIM DISK 80", 45, "Fail=attributes\n"));
    ASSERT_EQ(1, rig.drives->Count());
    ASSERT_FALSE(rig.drives->GetDrive(0)->HasTemperature());
    ASSERT_EQ("1", rig.Key("Drive_SIM DISK 80", key::EnableTempControl.name));
    rig.Load(true);
    rig.ShowPage(0);
    DiskPage& page = rig.Page(0);
    EXPECT_FALSE(page.EnableBox()->Checked());
    EXPECT_FALSE(ui::IsEnabled(H(page.EnableBox()))); // cannot be switched on from here
    EXPECT_EQ(kGeneralOnly, TabTexts(page.Tabs()));
    const std::string before = rig.IniText();
    rig.Save(true);
    EXPECT_EQ("1", rig.Key("Drive_SIM DISK 80", key::EnableTempControl.name));
    EXPECT_EQ(before, rig.IniText());
}

TEST(DiskPageSaving, TheFileHoldsExactlyTheKeysThePagesShowWithTheirValues) {
    DiskPageRig rig("disk_page_keys", Disk(0, "SIM DISK 80", 45));
    rig.Load(true);
    rig.ShowPage(0);
    DiskPage& page = rig.Page(0);
    ui::Click(H(page.CommonBox()));
    ui::PickComboItem(H(page.TrayList()), 2);
    ui::ClickTab(H(page.Tabs()), 1);
    ui::PickComboItem(H(page.Colors(0).text), 0); // Black
    ui::ClickTab(H(page.Tabs()), 2);
    ui::ClickTab(H(page.ControlTabs()), 1);
    ui::Click(H(page.Alarm(1).playSound));
    ui::TypeOver(H(page.Alarm(1).application), "notify.exe /loud");
    ui::PickComboItem(H(page.Alarm(1).method), 0);
    rig.Save(true);

    const std::string text = rig.IniText();
    std::vector<std::string> own{key::EnableTempControl.name, key::UseCommonSettings.name};
    for (const std::string& k : DiskDefaultKeys()) {
        own.push_back(k);
    }
    EXPECT_EQ(own, SectionKeys(text, "Drive_SIM DISK 80"));
    EXPECT_EQ(DiskDefaultKeys(), SectionKeys(text, "Drive_COMMON"));
    const std::string section = "Drive_SIM DISK 80";
    EXPECT_EQ("1", rig.Key(section, key::EnableTempControl.name));
    EXPECT_EQ("0", rig.Key(section, key::UseCommonSettings.name));
    EXPECT_EQ("2", rig.Key(section, key::ShowDriveTempInTray.name));
    EXPECT_EQ("0", rig.Key(section, key::NormalTemp_IconTextColor.name));
    EXPECT_EQ("0", rig.Key(section, key::CriticalCtl_PlaySound.name));
    EXPECT_EQ("notify.exe /loud", rig.Key(section, key::CriticalCtl_Application.name));
    EXPECT_EQ("0", rig.Key(section, key::CriticalCtl_PoweroffMethod.name));
    EXPECT_EQ("1", rig.Key(section, key::WarningCtl_PoweroffMethod.name));
    // The sound box and its buttons follow "Play sound" at once, with the colours of their state.
    EXPECT_FALSE(ui::IsEnabled(H(page.Alarm(1).soundFile)));
    EXPECT_FALSE(ui::IsEnabled(H(page.Alarm(1).testSound)));
    EXPECT_FALSE(ui::IsEnabled(H(page.Alarm(1).chooseSound)));
    EXPECT_EQ(kColorButtonFace, page.Alarm(1).soundFile->Color());
    EXPECT_EQ(kColorWindow, page.Alarm(0).soundFile->Color());
}

TEST(DiskPageSaving, ALoweredWarningLevelTurnsTheRunningDiskRedAndQueuesOneAlarm) {
    DiskPageRig rig("disk_page_running", Disk(0, "SIM DISK 80", 45));
    TDrive& disk = *rig.drives->GetDrive(0);
    test::RecordingActionQueue queue;
    AlarmDispatch dispatch(*rig.logger, queue, [] { return true; });
    rig.drives->OnStatusChange = [&](TDrives& sender, TDrive& d, TTempStatus from, TTempStatus to) {
        dispatch.OnDriveStatusChange(&sender, d, from, to);
    };
    rig.drives->PollAll();
    ASSERT_EQ(TTempStatus::Normal, disk.Status());

    rig.Load(true);
    rig.ShowPage(kCommon);
    ui::ClickTab(H(rig.Page(kCommon).Tabs()), 1);
    ui::ClickTab(H(rig.Page(kCommon).LevelTabs()), 1);
    ui::TypeOver(H(rig.Page(kCommon).WarningBox()), "40");
    ui::SetFocusTo(H(rig.Page(kCommon).CriticalBox()));
    rig.Save(true);
    rig.drives->PollAll();
    rig.drives->PollAll();

    EXPECT_EQ(TTempStatus::Warning, disk.Status());
    ASSERT_FALSE(rig.icons.made.empty());
    EXPECT_EQ(45, rig.icons.made.back().value);
    EXPECT_EQ(255u, rig.icons.made.back().textColor); // red
    ASSERT_EQ(1u, queue.requests.size());
    EXPECT_EQ(1, queue.requests[0].level);
    EXPECT_EQ(40, queue.requests[0].limit);
    const std::string log = test::ReadFileBytes(rig.programFolder + "debug.log");
    const std::string line = "HDD1 - SIM DISK 80: put Warning Action in queue";
    const size_t first = log.find(line);
    EXPECT_NE(std::string::npos, first);
    EXPECT_EQ(std::string::npos, log.find(line, first + 1));
}

TEST(DiskPageSound, AnUnplayableFileGivesTheMessageAndChangesNothing) {
    DiskPageRig rig("disk_page_sound", Disk(0, "SIM DISK 80", 45));
    rig.Load(true);
    rig.ShowPage(kCommon);
    DiskPage& page = rig.Page(kCommon);
    ui::ClickTab(H(page.Tabs()), 2);
    const std::string sound = page.Alarm(0).soundFile->Text();
    rig.playResult = false;
    ui::DialogResponder ok("Korvane", IDOK, std::chrono::seconds(20));
    ui::Click(H(page.Alarm(0).testSound));
    ASSERT_TRUE(ok.Finish());
    EXPECT_NE(ok.texts().end(),
              std::find(ok.texts().begin(), ok.texts().end(), "Sorry, can't play that file!"));
    EXPECT_EQ(std::vector<std::string>{sound}, rig.played);
    EXPECT_EQ(sound, page.Alarm(0).soundFile->Text());
    EXPECT_TRUE(page.Alarm(0).playSound->Checked());

    // A file that plays: no message, the click returns at once.
    rig.playResult = true;
    ui::Click(H(page.Alarm(0).testSound));
    EXPECT_EQ(2u, rig.played.size());
    EXPECT_EQ(nullptr, ui::FindTopWindow("Korvane", "#32770"));
}

TEST(DiskPageSound, ChoosersStartInTheProgramsFoldersAndOnlyAChoiceChangesTheBox) {
    DiskPageRig rig("disk_page_choosers", Disk(0, "SIM DISK 80", 45),
                    Preset({{"Drive_COMMON", key::WarningCtl_SoundFile.name, ""}}));
    CreateDirectoryA((rig.programFolder + "Sounds").c_str(), nullptr);
    test::WriteFileBytes(
        rig.programFolder + "Sounds\\tone.wav",
        test::ReadFileBytes(test::JoinPath(test::TestDataDir(), "toolkit\\tone_700ms.wav")));
    test::WriteFileBytes(rig.programFolder + "notify.exe", "MZ");
    rig.Load(true);
    rig.ShowPage(kCommon);
    DiskPage& page = rig.Page(kCommon);
    ui::ClickTab(H(page.Tabs()), 2);
    const auto& alarm = page.Alarm(0);
    ASSERT_EQ("", alarm.soundFile->Text());

    {
        ui::FileDialogResponder cancel(kChooseSoundTitle, "");
        ui::Click(H(alarm.chooseSound));
        ASSERT_TRUE(cancel.Finish());
        const auto& texts = cancel.texts();
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), "Audio files (*.wav, *.mid)"));
    }
    EXPECT_EQ("", alarm.soundFile->Text());
    {
        // A bare name is found in the folder the dialog starts in.
        ui::FileDialogResponder choose(kChooseSoundTitle, "tone.wav");
        ui::Click(H(alarm.chooseSound));
        ASSERT_TRUE(choose.Finish());
    }
    EXPECT_EQ(rig.programFolder + "Sounds\\tone.wav", alarm.soundFile->Text());

    ui::Click(H(alarm.executeApp));
    ASSERT_TRUE(ui::IsEnabled(H(alarm.chooseApp)));
    {
        ui::FileDialogResponder choose(kChooseAppTitle, "notify.exe");
        ui::Click(H(alarm.chooseApp));
        ASSERT_TRUE(choose.Finish());
    }
    EXPECT_EQ(rig.programFolder + "notify.exe", alarm.application->Text());
    rig.Save(true);
    EXPECT_EQ(rig.programFolder + "Sounds\\tone.wav",
              rig.Key("Drive_COMMON", key::WarningCtl_SoundFile.name));
}

TEST(DiskPageMethods, WithoutHibernationTheListsOfferOnlyShutdown) {
    DiskPageRig without("disk_page_nohibernate", Disk(0, "SIM DISK 80", 45), nullptr, false);
    without.Load(true);
    for (size_t i = 0; i < 2; ++i) {
        HWND list = H(without.Page(0).Alarm(i).method);
        ASSERT_EQ(1, ui::ComboCount(list));
        EXPECT_EQ(kShutdownMethod, ui::ComboItemText(list, 0));
        EXPECT_EQ(-1, ui::ComboSelection(list)); // the stored "Hibernate" is not offered
    }
}

TEST(DiskPageMethods, WithHibernationBothMethodsAreOffered) {
    DiskPageRig with("disk_page_hibernate", Disk(0, "SIM DISK 80", 45));
    with.Load(true);
    HWND list = H(with.Page(kCommon).Alarm(1).method);
    ASSERT_EQ(2, ui::ComboCount(list));
    EXPECT_EQ(kHibernateMethod, ui::ComboItemText(list, 1));
    EXPECT_EQ(1, ui::ComboSelection(list));
}

TEST(DiskPageLook, ScreenshotsOfEveryTabInBothUnits) {
    DiskPageRig rig("disk_page_look", Disk(0, "SIM DISK 80", 45));
    for (const bool celsius : {true, false}) {
        const std::string unit = celsius ? "_c" : "_f";
        rig.Load(celsius);
        rig.ShowPage(kCommon);
        ASSERT_FALSE(ui::SaveWindowPng(rig.Window(), "disk_page_common" + unit).empty());
        DiskPage& page = rig.Page(0);
        if (page.CommonBox()->Checked()) {
            ui::Click(H(page.CommonBox()));
        }
        rig.ShowPage(0);
        ui::ClickTab(H(page.Tabs()), 0);
        ASSERT_FALSE(ui::SaveWindowPng(rig.Window(), "disk_page_general" + unit).empty());
        ui::ClickTab(H(page.Tabs()), 1);
        const char* levels[3] = {"normal", "warning", "critical"};
        for (int i = 0; i < 3; ++i) {
            ui::ClickTab(H(page.LevelTabs()), i);
            ASSERT_EQ(i, ui::TabSelection(H(page.LevelTabs())));
            ASSERT_FALSE(
                ui::SaveWindowPng(rig.Window(), std::string("disk_page_levels_") + levels[i] + unit)
                    .empty());
        }
        ui::ClickTab(H(page.Tabs()), 2);
        for (int i = 0; i < 2; ++i) {
            ui::ClickTab(H(page.ControlTabs()), i);
            ASSERT_EQ(i, ui::TabSelection(H(page.ControlTabs())));
            ASSERT_FALSE(ui::SaveWindowPng(rig.Window(),
                                           std::string("disk_page_control_") + levels[i + 1] + unit)
                             .empty());
        }
    }
}

} // namespace
} // namespace korvane

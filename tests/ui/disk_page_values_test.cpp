// What a disk page reads from its section and writes back, over the in-memory profile.
#include "ui/disk_page_values.h"

#include "settings/keys.h"
#include "settings/options.h"

#include "fake_profile.h"
#include "fake_registry.h"
#include "posix_file_system.h"
#include "test_env.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr const char* kFolder = "C:\\K\\";

class DiskPageValuesTest : public ::testing::Test {
  protected:
    DiskPageValuesTest()
        : options(OptionsDeps{profile, registry, files, "C:\\K\\KorvaneMonitor.exe", kFolder},
                  ini) {
        // A disk seen for the first time: its own section with the 27 keys.
        Own().WriteBool(key::EnableTempControl.name, true);
        Own().WriteBool(key::UseCommonSettings.name, true);
        options.WriteDriveDefaults("ST3500");
    }
    TOptionsSection& Own() { return options.GetDriveSection("ST3500"); }
    TOptionsSection& Common() { return options.GetDriveSection("COMMON"); }

    std::string dir = test::FreshTempDir("disk_page_values");
    std::string ini = test::JoinPath(dir, "Korvn.ini");
    test::FakeProfile profile;
    test::FakeRegistry registry;
    test::PosixFileSystem files;
    TOptions options;
    DiskFacts disk{"ST3500", "ST3500", "5QM0001", "465,7 GB", true};
};

TEST_F(DiskPageValuesTest, ReadsEveryKeyAsThePageShowsIt) {
    Own().WriteInteger(key::PollInterval.name, 0);
    Own().WriteInteger(key::PollUnits.name, 1);
    Own().WriteInteger(key::ShowDriveTempInTray.name, 7);
    Own().WriteInteger(key::WarningTemp_IconBgColor.name, 123456);
    Own().WriteString(key::CriticalCtl_Application.name, "notify.exe /loud");
    const DiskPageValues v = ReadDiskPageValues(Own(), &disk);
    EXPECT_TRUE(v.enableTempControl);
    EXPECT_TRUE(v.useCommonSettings);
    EXPECT_EQ("1", v.pollInterval); // 0 or less is shown as 1
    EXPECT_EQ(1, v.pollUnits);
    EXPECT_EQ(7, v.showInTray); // the list decides what it can show
    EXPECT_EQ((std::array<int32_t, 6>{16711680, 536870911, 255, 123456, 16777215, 255}), v.colors);
    EXPECT_EQ("50", v.warningLevel);
    EXPECT_EQ("60", v.criticalLevel);
    EXPECT_EQ((AlarmSettings{true, true, "C:\\K\\Sounds\\twitch.wav", false, "", false, 1}),
              v.alarms[0]);
    EXPECT_EQ((AlarmSettings{true, true, "C:\\K\\Sounds\\twitch.wav", false, "notify.exe /loud",
                             true, 1}),
              v.alarms[1]);
}

TEST_F(DiskPageValuesTest, ADiskWithoutTemperatureShowsMonitoringOff) {
    disk.hasTemperature = false;
    EXPECT_FALSE(ReadDiskPageValues(Own(), &disk).enableTempControl);
    // The common page has no such box at all.
    Common().WriteBool(key::EnableTempControl.name, true);
    EXPECT_FALSE(ReadDiskPageValues(Common(), nullptr).enableTempControl);
}

TEST_F(DiskPageValuesTest, WritesOnlyWhatChangedAndKeepsWhatTheListsCannotShow) {
    Common().WriteInteger(key::PollInterval.name, 0);
    Common().WriteInteger(key::NormalTemp_IconTextColor.name, 1234567); // set by hand
    const DiskPageValues stored = StoredDiskPageValues(Common(), false);
    DiskPageValues v = ReadDiskPageValues(Common(), nullptr);
    v.colors[NormalText] = -1;       // the combo shows "???"
    v.alarms[1].poweroffMethod = -1; // no "Hibernate" in the list
    v.warningLevel = "45";
    const std::string before = profile.Text(ini);
    const DiskPageValues now =
        WriteChangedDiskPageValues(Common(), {"COMMON", false, false}, stored, v);
    std::string expected = before;
    expected.replace(expected.find("PollInterval=0"), 14, "PollInterval=1"); // as it is shown
    expected.replace(expected.find("WarningTemp_Level=50"), 20, "WarningTemp_Level=45");
    EXPECT_EQ(expected, profile.Text(ini));
    EXPECT_EQ(StoredDiskPageValues(Common(), false), now);
    // The common section never gets the two keys of a disk's own section.
    EXPECT_EQ(std::string::npos, profile.Text(ini).find("[Drive_COMMON]\r\nEnable"));
}

TEST_F(DiskPageValuesTest, ADiskThatGaveNoTemperatureKeepsItsStoredMonitoringSwitch) {
    disk.hasTemperature = false;
    const DiskPageValues stored = StoredDiskPageValues(Own(), true);
    DiskPageValues v = ReadDiskPageValues(Own(), &disk);
    v.useCommonSettings = false;
    WriteChangedDiskPageValues(Own(), {"ST3500", true, false}, stored, v);
    EXPECT_TRUE(Own().ReadBool(key::EnableTempControl.name));
    EXPECT_FALSE(Own().ReadBool(key::UseCommonSettings.name));
    // A disk with a temperature writes what its box says.
    WriteChangedDiskPageValues(Own(), {"ST3500", true, true}, stored, v);
    EXPECT_FALSE(Own().ReadBool(key::EnableTempControl.name));
}

} // namespace
} // namespace korvane

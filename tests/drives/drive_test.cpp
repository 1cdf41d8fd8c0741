// TDrive over the simulated driver, settings in memory and recording tray doubles.
#include "drives/drive.h"

#include "drives/temperature_icon.h"
#include "settings/keys.h"

#include "monitor_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane {
namespace {

using test::MonitorRig;

const std::string kDeg = "\xB0";

class DriveTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        rig = std::make_unique<MonitorRig>(std::string("drive_") + info->name());
    }
    // Drive `number` as the simulation says, polled once (registered on that poll).
    TDrive& Polled(const std::string& ini, uint8_t number = 0) {
        rig->Simulate(ini);
        drive = std::make_unique<TDrive>(number, rig->context);
        drive->OnStatusChange = [this](TDrive&, TTempStatus o, TTempStatus n) {
            events.push_back({o, n});
        };
        drive->OnIconChange = [this](TDrive&, bool shown) { iconEvents.push_back(shown); };
        drive->Poll();
        return *drive;
    }
    // Sets the simulated temperature of drive 0 and polls.
    TTempStatus At(int temperature, const std::string& model = "ST380011A") {
        rig->Simulate(MonitorRig::Disk(0, model, temperature));
        drive->Poll();
        return drive->Status();
    }
    void Levels(const std::string& warning, const std::string& critical) {
        rig->Common().WriteString(key::WarningTemp_Level.name, warning);
        rig->Common().WriteString(key::CriticalTemp_Level.name, critical);
    }
    test::FakeTrayIcon& Icon() { return *rig->toolkit.trayIcons.back(); }
    int Count(const std::string& message) {
        const auto lines = rig->DebugMessages();
        return static_cast<int>(std::count(lines.begin(), lines.end(), message));
    }

    using Event = std::pair<TTempStatus, TTempStatus>;
    std::unique_ptr<MonitorRig> rig;
    std::unique_ptr<TDrive> drive;
    std::vector<Event> events;
    std::vector<bool> iconEvents;
};

TEST(DriveTexts, ConversionsTruncateTowardZeroAndTextsUseTheDegreeByte) {
    EXPECT_EQ(113, CelsiusToFahrenheit(45));
    EXPECT_EQ(98, CelsiusToFahrenheit(37));
    EXPECT_EQ(37, FahrenheitToCelsius(100));
    EXPECT_EQ(-17, FahrenheitToCelsius(0)); // -160 / 9 = -17.7
    EXPECT_EQ(31, CelsiusToFahrenheit(-1)); // -9 / 5 = -1
    CelsiusToFahrenheit(INT32_MIN);         // wraps, never overflows (UBSan watches)
    FahrenheitToCelsius(INT32_MIN);
    EXPECT_EQ("45\xB0"
              "C",
              CelsiusText(45));
    EXPECT_EQ("113\xB0"
              "F",
              FahrenheitText(45));
    EXPECT_EQ("-1\xB0"
              "C",
              CelsiusText(-1));
    EXPECT_EQ("normal", StatusName(0));
    EXPECT_EQ("critical", StatusName(2));
    EXPECT_EQ("", StatusName(3));
}

TEST(DriveTexts, CapacityKeepsTheTruncatedTenthAfterAComma) {
    EXPECT_EQ("78,1 GB", CapacityTextOf(78.150744));
    EXPECT_EQ("80 GB", CapacityTextOf(80.0));
    EXPECT_EQ("40 GB", CapacityTextOf(40.05));
    EXPECT_EQ("74,5 GB", CapacityTextOf(74.53));
    EXPECT_EQ("0 GB", CapacityTextOf(0.0));
}

TEST_F(DriveTest, DerivedValuesOfAPresentAndAnAbsentDisk) {
    TDrive& d = Polled(MonitorRig::Disk(0, "ST380011A", 45, 149060000));
    EXPECT_TRUE(d.IsPresent());
    EXPECT_EQ("ST380011A", d.ModelText());
    EXPECT_EQ("HDD1 - ST380011A", d.DisplayName());
    EXPECT_EQ("74,5 GB", d.CapacityText());
    EXPECT_EQ("ST380011A (74,5 GB).log", d.LogFileName());
    EXPECT_EQ("Drive_ST380011A", d.OwnSection().SectionName());
    EXPECT_EQ("Drive_COMMON", d.SettingsSection().SectionName()); // registered with common
    rig->Own("ST380011A").WriteBool(key::UseCommonSettings.name, false);
    EXPECT_EQ("Drive_ST380011A", d.SettingsSection().SectionName());
    EXPECT_EQ(45, d.Temperature());
    EXPECT_TRUE(d.HasTemperature() && d.IsControlEnabled());

    TDrive absent(2, rig->context);
    absent.Poll();
    EXPECT_FALSE(absent.IsPresent());
    EXPECT_EQ("", absent.ModelText());
    EXPECT_EQ(-1, absent.Temperature());
    EXPECT_EQ("HDD3 - ", absent.DisplayName());
    EXPECT_EQ(1, Count("IDE 3: scanning for drive"));
}

TEST_F(DriveTest, RealCapacityIsTheWholeDiskWhileTheLogFileKeepsItsName) {
    TDrive& big =
        Polled(MonitorRig::Disk(0, "ST2000DM008", 38, 268435455, "Sectors48=3907029168\n"));
    EXPECT_EQ("1953,5 GB", big.RealCapacityText());
    EXPECT_EQ("134,2 GB", big.CapacityText());
    EXPECT_EQ("ST2000DM008 (134,2 GB).log", big.LogFileName());
    // Without 48-bit addressing both figures are the 28-bit count.
    TDrive& small = Polled(MonitorRig::Disk(0, "ST380011A", 38, 149060000));
    EXPECT_EQ("74,5 GB", small.RealCapacityText());
}

TEST_F(DriveTest, ADiskOfFourKilobyteSectorsIsNamedAndSizedAsItsFiveTwelveByteTwin) {
    rig->os.info.major = 10;
    const std::string disks =
        MonitorRig::Disk(0, "NVME 512", 40, 1953525168, "Bus=NVMe\n") +
        MonitorRig::Disk(1, "NVME 4K", 41, 1953525168, "Bus=NVMe\nBytesPerSector=4096\n") +
        MonitorRig::Disk(2, "SATA 4K", 42, 78140160, "Bus=SATA\nBytesPerSector=4096\nElevated=0\n");
    EXPECT_EQ("NVME 512 (976,7 GB).log", Polled(disks, 0).LogFileName());
    EXPECT_EQ("NVME 4K (976,7 GB).log", Polled(disks, 1).LogFileName());
    EXPECT_EQ("976,7 GB", drive->RealCapacityText());
    TDrive& ata = Polled(disks, 2);
    ASSERT_EQ(DiskReadPath::TemperatureProperty, ata.Smart().ReadPath());
    EXPECT_EQ("SATA 4K (39 GB).log", ata.LogFileName());
}

TEST_F(DriveTest, BlankModelIsUnknownAndOnlyTheLowestRawByteIsTheTemperature) {
    TDrive& d = Polled(MonitorRig::Disk(1, "   ", 300), 1);
    EXPECT_EQ("(unknown)", d.ModelText());
    EXPECT_EQ("Drive_(unknown)", d.OwnSection().SectionName());
    EXPECT_EQ(44, d.Temperature()); // 300 & 0xFF
}

TEST_F(DriveTest, FirstPollRegistersTheDiskWithTheDefaults) {
    Polled(MonitorRig::Disk(0, "WDC WD800JB", 40));
    EXPECT_EQ(1, Count("IDE 1: scanning for drive"));
    EXPECT_EQ(1, Count("New HDD Found: HDD1 - WDC WD800JB"));
    const std::string text = rig->profile.Text(rig->dir + "/Korvn.ini");
    const size_t start = text.find("[Drive_WDC WD800JB]\r\n");
    ASSERT_NE(std::string::npos, start);
    const std::string section = text.substr(start);
    EXPECT_EQ(0u, section.find("[Drive_WDC WD800JB]\r\nEnableTempControl=1\r\n"
                               "UseCommonSettings=1\r\nPollInterval=20\r\n"));
    EXPECT_EQ(1 + 2 + 25, std::count(section.begin(), section.end(), '\n'));
    EXPECT_NE(std::string::npos, section.find("CriticalCtl_PoweroffMethod=1\r\n"));
    // Known from now on: no second registration, and no "scanning" once the model is known.
    drive->Poll();
    EXPECT_EQ(1, Count("New HDD Found: HDD1 - WDC WD800JB"));
    EXPECT_EQ(1, Count("IDE 1: scanning for drive"));
    // The registering poll writes no temperature line (control was not on yet); the next does.
    EXPECT_EQ((std::vector<std::string>{"Temperature = 40" + kDeg + "C (104" + kDeg + "F)"}),
              rig->TemperatureMessages("WDC WD800JB (80 GB).log"));
}

TEST_F(DriveTest, WarningIsEnteredAboveTheLevelAndLeftOneDegreeBelowIt) {
    Polled(MonitorRig::Disk(0, "ST380011A", 40));
    Levels("50", "60");
    EXPECT_EQ(TTempStatus::Normal, At(50));
    EXPECT_EQ(TTempStatus::Warning, At(51));
    EXPECT_EQ(TTempStatus::Warning, At(49));
    EXPECT_EQ(TTempStatus::Normal, At(48));
    EXPECT_EQ((std::vector<Event>{{TTempStatus::Normal, TTempStatus::Warning},
                                  {TTempStatus::Warning, TTempStatus::Normal}}),
              events);
}

TEST_F(DriveTest, CriticalIsLeftByStepsOrAtOnce) {
    Polled(MonitorRig::Disk(0, "ST380011A", 40));
    Levels("50", "60");
    EXPECT_EQ(TTempStatus::Critical, At(65));
    EXPECT_EQ(TTempStatus::Critical, At(59));
    EXPECT_EQ(TTempStatus::Warning, At(58));
    EXPECT_EQ(TTempStatus::Critical, At(65));
    EXPECT_EQ(TTempStatus::Normal, At(47));
    EXPECT_EQ((std::vector<Event>{{TTempStatus::Normal, TTempStatus::Critical},
                                  {TTempStatus::Critical, TTempStatus::Warning},
                                  {TTempStatus::Warning, TTempStatus::Critical},
                                  {TTempStatus::Critical, TTempStatus::Normal}}),
              events);
}

TEST_F(DriveTest, EqualInvertedAndEmptyLevelsNeedNoSpecialCase) {
    Polled(MonitorRig::Disk(0, "ST380011A", 40));
    Levels("50", "50");
    EXPECT_EQ(TTempStatus::Critical, At(51)); // one event, straight to critical
    EXPECT_EQ(TTempStatus::Critical, At(49));
    EXPECT_EQ(TTempStatus::Normal, At(48));
    Levels("60", "50"); // warning above critical
    EXPECT_EQ(TTempStatus::Critical, At(55));
    EXPECT_EQ(TTempStatus::Critical, At(49));
    EXPECT_EQ(TTempStatus::Normal, At(48));
    EXPECT_EQ((std::vector<Event>{{TTempStatus::Normal, TTempStatus::Critical},
                                  {TTempStatus::Critical, TTempStatus::Normal},
                                  {TTempStatus::Normal, TTempStatus::Critical},
                                  {TTempStatus::Critical, TTempStatus::Normal}}),
              events);
    Levels("", "60");
    EXPECT_EQ(-1, drive->WarningLevel());
    EXPECT_EQ(60, drive->CriticalLevel());
    EXPECT_EQ(TTempStatus::Warning, At(30)); // every positive temperature is above -1
    Levels("", "");
    EXPECT_EQ(TTempStatus::Critical, At(30));
}

TEST_F(DriveTest, GarbageAndExtremeLevelsNeverBreakAPoll) {
    Polled(MonitorRig::Disk(0, "ST380011A", 40));
    Levels("abc", "60"); // not a number: 0
    EXPECT_EQ(0, drive->WarningLevel());
    EXPECT_EQ(TTempStatus::Warning, At(40));
    Levels("4294967295", "4294967295"); // beyond 32 bits: 0
    EXPECT_EQ(0, drive->CriticalLevel());
    EXPECT_EQ(TTempStatus::Critical, At(40));
    Levels("-2147483648", "-2147483648"); // "level - 1" must not overflow
    EXPECT_EQ(INT32_MIN, drive->WarningLevel());
    EXPECT_EQ(TTempStatus::Critical, At(1));
    Levels("2147483647", "2147483647");
    EXPECT_EQ(TTempStatus::Normal, At(45));
}

TEST_F(DriveTest, VisibilityFollowsShowDriveTempInTrayUnsigned) {
    Polled(MonitorRig::Disk(0, "ST380011A", 40));
    Levels("50", "60");
    struct Case {
        const char* setting;
        bool normal, warning, critical;
    };
    const Case cases[] = {
        {"0", true, true, true},
        {"1", false, true, true},
        {"2", false, false, true},
        {"3", false, false, false},
        {"4", false, false, false},
        {"-1", false, false, false},
        {"$FFFFFFFF", false, false, false},
        {"-2147483648", false, false, false},
        {"4294967295", true, true, true}, // beyond 32 bits reads as 0: always
        {"letters", true, true, true},
    };
    for (const Case& c : cases) {
        rig->Common().WriteString(key::ShowDriveTempInTray.name, c.setting);
        At(45);
        EXPECT_EQ(c.normal, drive->IsIconShown()) << c.setting;
        At(55);
        EXPECT_EQ(c.warning, drive->IsIconShown()) << c.setting;
        At(65);
        EXPECT_EQ(c.critical, drive->IsIconShown()) << c.setting;
        At(40);
    }
    // Every change of visibility was told, and only those.
    int changes = 0;
    bool shown = false;
    for (bool e : iconEvents) {
        EXPECT_NE(shown, e);
        shown = e;
        ++changes;
    }
    EXPECT_GT(changes, 6);
}

TEST_F(DriveTest, IndicatorColoursByStatusAndGarbageColoursAreDrawnAsRead) {
    Polled(MonitorRig::Disk(0, "ST380011A", 45));
    Levels("50", "60");
    auto last = [&] { return rig->icons.made.back(); };
    EXPECT_EQ(45, last().value);
    EXPECT_EQ(0xFF0000u, last().textColor);
    EXPECT_EQ(kNoColor, last().background);
    At(55);
    EXPECT_EQ(0x0000FFu, last().textColor);
    EXPECT_EQ(kNoColor, last().background);
    At(65);
    EXPECT_EQ(0xFFFFFFu, last().textColor);
    EXPECT_EQ(0x0000FFu, last().background);
    rig->Common().WriteString(key::CriticalTemp_IconTextColor.name, "red");
    rig->Common().WriteString(key::CriticalTemp_IconBgColor.name, "-2147483648");
    At(66);
    EXPECT_EQ(0u, last().textColor); // absent or invalid: black
    EXPECT_EQ(0x80000000u, last().background);
    EXPECT_TRUE(drive->IsIconShown());
}

TEST_F(DriveTest, IconIsReplacedWhenItsPictureChangesAndTheOldOneDestroyedAfterwards) {
    Polled(MonitorRig::Disk(0, "ST380011A", 45));
    rig->Common().WriteInteger(key::ShowDriveTempInTray.name, 3); // replaced even when hidden
    rig->icons.beforeDestroy = [&](IconHandle icon) { EXPECT_NE(icon, Icon().Icon()); };
    for (int t = 40; t < 70; ++t) {
        At(t);
    }
    EXPECT_EQ(31u, rig->icons.made.size());
    EXPECT_EQ(1u, rig->icons.live.size());
    EXPECT_EQ(rig->icons.made.back().icon, Icon().Icon());
    EXPECT_EQ(0, rig->icons.badDestroys);

    // The same number in the same colours keeps the icon in place; new colours draw a new one.
    Levels("100", "110");
    At(69); // normal again: the normal colours
    const IconHandle kept = Icon().Icon();
    const size_t made = rig->icons.made.size();
    At(69);
    At(69);
    EXPECT_EQ(made, rig->icons.made.size());
    EXPECT_EQ(kept, Icon().Icon());
    rig->Common().WriteInteger(key::NormalTemp_IconTextColor.name, 0x00FF00);
    At(69);
    EXPECT_EQ(made + 1, rig->icons.made.size());
    EXPECT_EQ(0x00FF00u, rig->icons.made.back().textColor);
    EXPECT_EQ(1u, rig->icons.live.size());
    // When no icon can be made the old one stays in place and alive.
    rig->icons.fail = true;
    At(41);
    EXPECT_EQ(1u, rig->icons.live.count(Icon().Icon()));
}

TEST_F(DriveTest, FahrenheitShowsInIconAndTooltipWhileTheLogKeepsBoth) {
    rig->options->General().WriteBool(key::UseCelsius.name, false);
    Polled(MonitorRig::Disk(0, "ST380011A", 45));
    At(45);
    EXPECT_EQ(113, rig->icons.made.back().value);
    EXPECT_EQ("HDD 1: ST380011A (80 GB)\rTemperature: 113" + kDeg + "F", Icon().Tooltip());
    EXPECT_EQ((std::vector<std::string>{"Temperature = 45" + kDeg + "C (113" + kDeg + "F)"}),
              rig->TemperatureMessages("ST380011A (80 GB).log"));
    rig->options->General().WriteBool(key::UseCelsius.name, true);
    At(45);
    EXPECT_EQ(45, rig->icons.made.back().value);
    EXPECT_EQ("HDD 1: ST380011A (80 GB)\rTemperature: 45" + kDeg + "C", Icon().Tooltip());
}

TEST_F(DriveTest, AnotherDiskUnderTheSameNumberIsNamedAfterItsOwnModelEverywhere) {
    Polled(MonitorRig::Disk(0, "ST380011A", 45));
    At(45);
    // The poll that finds the other disk registers it; it is logged from the next one on.
    At(46, "  WDC WD800JB-00JJC0  ");
    EXPECT_EQ("WDC WD800JB-00JJC0", drive->ModelText());
    EXPECT_EQ("Drive_WDC WD800JB-00JJC0", drive->OwnSection().SectionName());
    EXPECT_TRUE(drive->HasOwnSection());
    EXPECT_EQ("HDD 1: WDC WD800JB-00JJC0 (80 GB)\rTemperature: 46" + kDeg + "C", Icon().Tooltip());
    At(46, "  WDC WD800JB-00JJC0  ");
    EXPECT_EQ((std::vector<std::string>{"Temperature = 46" + kDeg + "C (114" + kDeg + "F)"}),
              rig->TemperatureMessages("WDC WD800JB-00JJC0 (80 GB).log"));
    At(47, "   ");
    EXPECT_EQ("(unknown)", drive->ModelText());
    At(47);
    EXPECT_EQ("ST380011A", drive->ModelText());
    EXPECT_EQ(2u, rig->TemperatureMessages("ST380011A (80 GB).log").size());
}

TEST_F(DriveTest, ControlSwitchedOffRemovesTheIndicatorAndStopsReading) {
    Polled(MonitorRig::Disk(0, "ST380011A", 55));
    ASSERT_TRUE(drive->IsIconShown());
    rig->Own("ST380011A").WriteBool(key::EnableTempControl.name, false);
    const int opens = rig->driver->OpenAttempts();
    At(70);
    At(70);
    EXPECT_FALSE(drive->IsIconShown());
    EXPECT_EQ((std::vector<bool>{true, false}), iconEvents);
    EXPECT_EQ(1, Count("HDD1 - ST380011A: tray icon removed (temp control for this disk is "
                       "disabled)"));
    EXPECT_EQ(opens, rig->driver->OpenAttempts());
    EXPECT_EQ(TTempStatus::Warning,
              drive->Status());   // kept: no status is decided while control is off
    EXPECT_EQ(3, rig->app.trims); // every poll trims, read or not
}

TEST_F(DriveTest, ADiskThatLosesItsTemperatureLeavesTheTrayAndIsReadAgainUntilItIsBack) {
    Polled(MonitorRig::Disk(0, "ST380011A", 55));
    Levels("50", "60");
    At(55);
    ASSERT_EQ(TTempStatus::Warning, drive->Status());
    const std::string removed =
        "HDD1 - ST380011A: tray icon removed (temp control for this disk is disabled)";
    const std::string lost =
        "HDD1 - ST380011A: no temperature in this reading, reading the disk again at every poll";
    const std::string back = "HDD1 - ST380011A: temperature readings are back";

    At(0); // attribute 194 reads zero
    EXPECT_EQ(-1, drive->Temperature());
    EXPECT_FALSE(drive->IsIconShown());
    EXPECT_EQ(TTempStatus::Warning, drive->Status());
    const int opens = rig->driver->OpenAttempts();
    rig->Simulate(MonitorRig::Disk(0, "ST380011A", 55, 160000000, "Fail=attributes\n"));
    drive->Poll();
    drive->Poll();
    EXPECT_GT(rig->driver->OpenAttempts(), opens); // still read at every poll
    EXPECT_FALSE(drive->IsIconShown());
    EXPECT_EQ(1, Count(removed));
    EXPECT_EQ(1, Count(lost)); // once, not once per poll
    EXPECT_EQ(0, Count(back));

    EXPECT_EQ(TTempStatus::Critical, At(65)); // the next good reading brings everything back
    EXPECT_TRUE(drive->IsIconShown());
    EXPECT_EQ(65, rig->icons.made.back().value);
    EXPECT_EQ(1, Count(back));
    EXPECT_EQ((std::vector<bool>{true, false, true}), iconEvents);
    EXPECT_EQ((std::vector<Event>{{TTempStatus::Normal, TTempStatus::Warning},
                                  {TTempStatus::Warning, TTempStatus::Critical}}),
              events);
    const auto logged = rig->TemperatureMessages("ST380011A (80 GB).log");
    EXPECT_EQ("Temperature = 65" + kDeg + "C (149" + kDeg + "F)", logged.back());

    // A second loss is told again; the user's switch still stops the reading altogether.
    At(0);
    EXPECT_EQ(2, Count(lost));
    rig->Own("ST380011A").WriteBool(key::EnableTempControl.name, false);
    const int before = rig->driver->OpenAttempts();
    At(55);
    EXPECT_EQ(before, rig->driver->OpenAttempts());
}

TEST_F(DriveTest, ASleepingDiskKeepsItsNumberAndStatusAndIsReadAgainWhenItWakes) {
    Polled(MonitorRig::Disk(0, "ST380011A", 55));
    Levels("50", "60");
    At(55);
    ASSERT_EQ(TTempStatus::Warning, drive->Status());
    const size_t logged = rig->TemperatureMessages("ST380011A (80 GB).log").size();
    const std::string asleep = "HDD1 - ST380011A: disk spun down, not read until it wakes";
    const std::string awake = "HDD1 - ST380011A: disk woke up, reading it again";

    // Hotter, but asleep: nothing new is read, decided or logged.
    rig->Simulate(MonitorRig::Disk(0, "ST380011A", 70, 160000000, "Sleeping=1\n"));
    drive->ResetStatus(); // even a reset status raises no alarm on the old reading
    for (int poll = 0; poll < 4; ++poll) {
        drive->Poll();
    }
    EXPECT_EQ(TTempStatus::Normal, drive->Status());
    EXPECT_TRUE(events.size() == 1);
    EXPECT_EQ(55, drive->Temperature());
    EXPECT_EQ(55, rig->icons.made.back().value);
    EXPECT_TRUE(drive->IsIconShown());
    EXPECT_EQ(logged, rig->TemperatureMessages("ST380011A (80 GB).log").size());
    EXPECT_EQ(1, Count(asleep));
    EXPECT_EQ(0, Count(awake));
    for (const sim::SimRequest& r : rig->driver->Journal()) {
        EXPECT_FALSE(r.wokeDisk) << r.line;
    }

    EXPECT_EQ(TTempStatus::Critical, At(70)); // awake at the next poll
    EXPECT_EQ(1, Count(awake));
    EXPECT_EQ(logged + 1, rig->TemperatureMessages("ST380011A (80 GB).log").size());
}

TEST_F(DriveTest, ADiskThatStopsAnsweringIsScannedForOnEveryPoll) {
    Polled(MonitorRig::Disk(0, "ST380011A", 55));
    Levels("50", "60");
    At(55);
    rig->Simulate(MonitorRig::Disk(0, "ST380011A", 70, 160000000, "Fail=open\n"));
    const int opens = rig->driver->OpenAttempts();
    drive->Poll(); // the model was known before this read: no scanning line yet
    EXPECT_EQ(1, Count("IDE 1: scanning for drive"));
    drive->Poll();
    drive->Poll();
    EXPECT_FALSE(drive->IsPresent());
    // Each poll tries the power-state handle and the S.M.A.R.T. handle.
    EXPECT_EQ(opens + 2 * 3, rig->driver->OpenAttempts());
    EXPECT_EQ(3, Count("IDE 1: scanning for drive"));
    EXPECT_EQ(TTempStatus::Warning, drive->Status());
    EXPECT_TRUE(drive->IsIconShown());
    EXPECT_EQ(0, rig->driver->OpenHandles());
    // Back again: read and decided as before.
    EXPECT_EQ(TTempStatus::Critical, At(70));
}

TEST_F(DriveTest, PollIntervalsByUnitWithBadValuesLeavingTheDiskUnpolled) {
    Polled(MonitorRig::Disk(0, "ST380011A", 45));
    TOptionsSection& s = rig->Common();
    struct Case {
        const char* units;
        const char* interval;
        int32_t ms;
        const char* seconds;
    };
    const Case cases[] = {
        {"1", "2", 120000, "120"}, {"2", "1", 3600000, "3600"}, {"0", "20", 20000, "20"},
        {"3", "20", 0, "0"},       {"x", "20", 20000, "20"},    // letters read as 0: seconds
        {"0", "0", 0, "0"},        {"2", "2147483647", 0, "0"}, // beyond 32 bits: none
        {"0", "-5", -5000, "-5"},
    };
    for (const Case& c : cases) {
        s.WriteString(key::PollUnits.name, c.units);
        s.WriteString(key::PollInterval.name, c.interval);
        drive->ApplyPollInterval();
        EXPECT_EQ(c.ms, drive->PollTimer().Interval()) << c.units << " " << c.interval;
        EXPECT_EQ("HDD1 - ST380011A: set polling interval to " + std::string(c.seconds) + " sec",
                  rig->DebugMessages().back());
        drive->SetMonitoring(true);
        EXPECT_EQ(c.ms > 0, drive->PollTimer().Enabled());
        EXPECT_EQ(std::string("HDD1 - ST380011A: monitoring ") +
                      (c.ms > 0 ? "enabled" : "disabled"),
                  rig->DebugMessages().back());
    }
    drive->SetMonitoring(false);
    EXPECT_FALSE(drive->PollTimer().Enabled());
    EXPECT_EQ("HDD1 - ST380011A: monitoring disabled", rig->DebugMessages().back());
}

TEST_F(DriveTest, TimerTicksPollAndIndicatorClicksReachTheOwnerOnlyWhileTheDiskLives) {
    Polled(MonitorRig::Disk(0, "ST380011A", 45));
    const int opens = rig->driver->OpenAttempts();
    rig->toolkit.timers.back()->Fire();
    EXPECT_EQ(opens + 2, rig->driver->OpenAttempts()); // the power-state and S.M.A.R.T. handles
    std::vector<uint32_t> clicks;
    drive->OnTrayMouse = [&](TDrive& d, uint32_t m) {
        EXPECT_EQ(drive.get(), &d);
        clicks.push_back(m);
    };
    test::FakeTrayIcon& icon = Icon();
    icon.Mouse(kTrayRightButtonUp);
    drive.reset();
    icon.Mouse(kTrayLeftDoubleClick); // the icon outlives the disk in the application window
    EXPECT_EQ((std::vector<uint32_t>{kTrayRightButtonUp}), clicks);
    ASSERT_EQ(1u, rig->toolkit.menus.size()); // the disk's menu came from the factory
}

} // namespace
} // namespace korvane

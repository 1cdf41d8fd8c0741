// TDrives: the probe of drive numbers 0 to 15, the relays and the operations over all disks.
#include "drives/drives.h"

#include "settings/keys.h"

#include "monitor_rig.h"
#include "test_env.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane {
namespace {

using test::MonitorRig;

class DrivesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        rig = std::make_unique<MonitorRig>(std::string("drives_") + info->name());
    }
    TDrives& Probe(const std::string& ini) {
        rig->Simulate(ini);
        drives = std::make_unique<TDrives>(rig->context);
        drives->OnStatusChange = [this](TDrives& sender, TDrive& d, TTempStatus o, TTempStatus n) {
            EXPECT_EQ(drives.get(), &sender);
            events.push_back({d.DriveNumber(), o, n});
        };
        drives->OnIconChange = [this](TDrives&, TDrive& d, bool shown) {
            iconEvents.push_back({d.DriveNumber(), shown});
        };
        drives->OnAfterPoll = [this](TDrives&) { ++afterPolls; };
        return *drives;
    }

    struct Event {
        int drive;
        TTempStatus from, to;
        bool operator==(const Event&) const = default;
    };
    struct IconEvent {
        int drive;
        bool shown;
        bool operator==(const IconEvent&) const = default;
    };
    std::unique_ptr<MonitorRig> rig;
    std::unique_ptr<TDrives> drives;
    std::vector<Event> events;
    std::vector<IconEvent> iconEvents;
    int afterPolls = 0;
};

TEST_F(DrivesTest, AMixedSetIsReadEachDiskItsOwnWayAndTheDeadOneIsLeftOut) {
    rig->os.info.major = 10;
    TDrives& d = Probe(MonitorRig::Disk(0, "SATA ADMIN", 35, 160000000, "Bus=SATA\n") +
                       MonitorRig::Disk(1, "SATA USER", 36, 160000000, "Bus=SATA\nElevated=0\n") +
                       MonitorRig::Disk(2, "NVME DISK", 37, 160000000, "Bus=NVMe\n") +
                       MonitorRig::Disk(3, "USB DISK", 38, 160000000, "Bus=USB\n"));
    ASSERT_EQ(3, d.Count());
    EXPECT_EQ(3, d.MeasurableCount());
    EXPECT_EQ(3, d.VisibleIconCount());
    const auto lines = rig->DebugMessages();
    const std::vector<std::string> expected = {
        "HDD1 - SATA ADMIN: temperature read through S.M.A.R.T. attribute 194",
        "HDD2 - SATA USER: temperature read through the storage temperature property",
        "HDD3 - NVME DISK: temperature read through the storage temperature property",
    };
    for (const std::string& line : expected) {
        EXPECT_EQ(1, std::count(lines.begin(), lines.end(), line)) << line;
    }
    for (const std::string& line : lines) {
        EXPECT_EQ(std::string::npos, line.find("USB DISK")) << line;
    }
    d.PollAll();
    EXPECT_EQ("Temperature = 36\xB0"
              "C (96\xB0"
              "F)",
              rig->TemperatureMessages("SATA USER (80 GB).log").back());
    EXPECT_EQ("Temperature = 37\xB0"
              "C (98\xB0"
              "F)",
              rig->TemperatureMessages("NVME DISK (80 GB).log").back());
}

TEST_F(DrivesTest, AfterOneRefusedReadWriteOpenNoDiskAsksForOneAgain) {
    rig->os.info.major = 10;
    const std::string disks = MonitorRig::Disk(1, "SATA ONE", 35, 160000000, "Bus=SATA\n") +
                              MonitorRig::Disk(3, "SATA THREE", 36, 160000000, "Bus=SATA\n");
    // Elevated, the drive numbers without a disk answer "not found": that says nothing of the
    // rights, and the disks after them are read through S.M.A.R.T.
    TDrives& admin = Probe(disks);
    ASSERT_EQ(2, admin.Count());
    EXPECT_EQ(DiskReadPath::Smart, admin.GetDrive(1)->Smart().ReadPath());

    TDrives& user = Probe("[Sim]\nElevated=0\nRequestLog=requests.log\n" + disks);
    for (int poll = 0; poll < 3; ++poll) {
        user.PollAll();
    }
    ASSERT_EQ(2, user.Count());
    const std::vector<std::string> lines =
        test::ReadLines(test::JoinPath(rig->dir, "requests.log"));
    const auto refused =
        std::find(lines.begin(), lines.end(), "PhysicalDrive1 open access=0xC0000000 -> error 5");
    ASSERT_NE(lines.end(), refused);
    EXPECT_EQ(0, std::count_if(refused + 1, lines.end(), [](const std::string& line) {
                  return line.find("access=0xC0000000") != std::string::npos;
              }));
    // Both disks are still read at every poll (the probe's and three more), without rights.
    for (const char* disk : {"PhysicalDrive1", "PhysicalDrive3"}) {
        EXPECT_EQ(4, std::count(lines.begin(), lines.end(),
                                std::string(disk) + " open access=0x00000000 -> ok"))
            << disk;
    }
    EXPECT_EQ(DiskReadPath::TemperatureProperty, user.GetDrive(1)->Smart().ReadPath());
}

TEST_F(DrivesTest, ADiskOnlyAtDriveNumberOneTakesPositionZero) {
    TDrives& d = Probe(MonitorRig::Disk(1, "ST380011A", 40));
    ASSERT_EQ(1, d.Count());
    EXPECT_EQ(1, d.GetDrive(0)->DriveNumber());
    EXPECT_EQ(nullptr, d.GetDrive(1));
    EXPECT_EQ(nullptr, d.GetDrive(-1));
    const auto lines = rig->DebugMessages();
    std::vector<std::string> scans;
    for (const auto& line : lines) {
        if (line.find("scanning") != std::string::npos) {
            scans.push_back(line);
        }
    }
    std::vector<std::string> expected;
    for (int number = 1; number <= 16; ++number) {
        expected.push_back("IDE " + std::to_string(number) + ": scanning for drive");
    }
    EXPECT_EQ(expected, scans);
    EXPECT_EQ(1, d.MeasurableCount());
}

TEST_F(DrivesTest, SixteenDisksTakeSixteenPositionsEachWithItsNameMenuAndLog) {
    std::string ini;
    for (int number = 0; number < 16; ++number) {
        ini += MonitorRig::Disk(number, "DISK " + std::to_string(number), 30 + number);
    }
    TDrives& d = Probe(ini);
    ASSERT_EQ(16, d.Count());
    EXPECT_EQ(16, d.MeasurableCount());
    EXPECT_EQ(16, d.VisibleIconCount());
    EXPECT_EQ(nullptr, d.GetDrive(16));
    TDrive& last = *d.GetDrive(15);
    EXPECT_EQ(15, last.DriveNumber());
    EXPECT_EQ("HDD16 - DISK 15", last.DisplayName());
    EXPECT_EQ(45, last.Temperature());
    d.PollAll();
    EXPECT_EQ(1u, rig->TemperatureMessages(last.LogFileName()).size());
    const auto lines = rig->DebugMessages();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "New HDD Found: HDD16 - DISK 15"));
    d.RefreshMenuCaptions();
    EXPECT_EQ(16u, rig->captioned.size());
    for (int i = 0; i < 16; ++i) {
        ASSERT_NE(nullptr, d.GetDrive(i)->Menu()) << i;
        EXPECT_NE(d.GetDrive(i)->Menu(), d.GetDrive((i + 1) % 16)->Menu()) << i;
    }
}

TEST_F(DrivesTest, PositionsAreDenseAndADiskWithoutTemperatureIsKeptButNotMeasurable) {
    TDrives& d = Probe(MonitorRig::Disk(0, "A", 40) + MonitorRig::Disk(2, "B", 0) +
                       MonitorRig::Disk(3, "C", 45));
    ASSERT_EQ(3, d.Count());
    EXPECT_EQ(2, d.GetDrive(1)->DriveNumber());
    EXPECT_EQ(3, d.GetDrive(2)->DriveNumber());
    EXPECT_EQ(2, d.MeasurableCount());
    EXPECT_EQ(2, d.VisibleIconCount()); // ShowDriveTempInTray 0 by default; B shows nothing
    EXPECT_FALSE(d.GetDrive(1)->IsIconShown());
    d.RefreshMenuCaptions();
    EXPECT_EQ(3u, rig->captioned.size());
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(nullptr, d.GetDrive(i)->Menu());
        EXPECT_EQ("captioned", d.GetDrive(i)->Menu()->Text(0));
    }
}

TEST_F(DrivesTest, ADiskAsleepAtStartUpCountsAsMeasurable) {
    // Asleep, it is known by its descriptor alone and has no temperature yet; it gives one when
    // it wakes, so the program must not end as if no disk could.
    rig->os.info.major = 10;
    TDrives& d = Probe(MonitorRig::Disk(0, "SLEEPY DISK", 33, 160000000, "Bus=SATA\nSleeping=1\n"));
    ASSERT_EQ(1, d.Count());
    EXPECT_FALSE(d.GetDrive(0)->HasTemperature());
    EXPECT_EQ(1, d.MeasurableCount());
}

TEST_F(DrivesTest, TwoDisksOfOneModelShareTheirSectionAndTheirLogFile) {
    TDrives& d = Probe(MonitorRig::Disk(0, "ST380011A", 45) + MonitorRig::Disk(1, "ST380011A", 47));
    ASSERT_EQ(2, d.Count());
    EXPECT_EQ(&d.GetDrive(0)->OwnSection(), &d.GetDrive(1)->OwnSection());
    EXPECT_EQ(d.GetDrive(0)->LogFileName(), d.GetDrive(1)->LogFileName());
    TOptionsSection& own = rig->Own("ST380011A");
    own.WriteBool(key::UseCommonSettings.name, false);
    own.WriteInteger(key::WarningTemp_Level.name, 40);
    d.PollAll();
    EXPECT_EQ(TTempStatus::Warning, d.GetDrive(0)->Status());
    EXPECT_EQ(TTempStatus::Warning, d.GetDrive(1)->Status());
    const auto lines = rig->TemperatureMessages("ST380011A (80 GB).log");
    // The probe's first poll registers the model; the second disk already finds it registered.
    EXPECT_EQ((std::vector<std::string>{"Temperature = 47\xB0"
                                        "C (116\xB0"
                                        "F)",
                                        "Temperature = 45\xB0"
                                        "C (113\xB0"
                                        "F)",
                                        "Temperature = 47\xB0"
                                        "C (116\xB0"
                                        "F)"}),
              lines);
}

TEST_F(DrivesTest, AWarmDiskRaisesItsEventInTheFirstPollAllAndAgainAfterHibernateReset) {
    rig->Simulate(MonitorRig::Disk(0, "Warm", 40));
    // Registered by an earlier run, set to show only when warm.
    rig->Own("Warm").WriteBool(key::EnableTempControl.name, true);
    rig->Own("Warm").WriteBool(key::UseCommonSettings.name, true);
    rig->options->WriteDriveDefaults("Warm");
    rig->Common().WriteInteger(key::ShowDriveTempInTray.name, 1);
    TDrives& d = Probe(MonitorRig::Disk(0, "Warm", 55));
    ASSERT_EQ(1, d.Count());
    TDrive& warm = *d.GetDrive(0);
    EXPECT_EQ(TTempStatus::Normal, warm.Status());
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(1, d.VisibleIconCount());
    d.PollAll();
    EXPECT_EQ((std::vector<Event>{{0, TTempStatus::Normal, TTempStatus::Warning}}), events);
    EXPECT_EQ(1, afterPolls);
    EXPECT_EQ(1, d.VisibleIconCount());
    d.PollAll();
    EXPECT_EQ(1u, events.size());

    d.ResetBeforeHibernate();
    EXPECT_EQ(TTempStatus::Normal, warm.Status());
    EXPECT_EQ((std::vector<uint32_t>{warm.TrayIcon().Identity().id}), rig->hiddenBalloons);
    EXPECT_EQ(1u, events.size()); // reset without an event
    d.PollAll();
    EXPECT_EQ((std::vector<Event>{{0, TTempStatus::Normal, TTempStatus::Warning},
                                  {0, TTempStatus::Normal, TTempStatus::Warning}}),
              events);

    rig->Simulate(MonitorRig::Disk(0, "Warm", 40));
    d.PollAll();
    EXPECT_EQ(0, d.VisibleIconCount());
    // The probe's own poll put the indicator up, before any event was connected.
    EXPECT_EQ((std::vector<IconEvent>{{0, false}}), iconEvents);
}

TEST_F(DrivesTest, IntervalsAndMonitoringReachEveryDisk) {
    TDrives& d = Probe(MonitorRig::Disk(0, "A", 40) + MonitorRig::Disk(3, "B", 40));
    rig->Common().WriteInteger(key::PollUnits.name, 1);
    rig->Common().WriteInteger(key::PollInterval.name, 2);
    d.ApplyPollIntervals();
    d.SetMonitoring(true);
    for (int i = 0; i < d.Count(); ++i) {
        EXPECT_EQ(120000, d.GetDrive(i)->PollTimer().Interval());
        EXPECT_TRUE(d.GetDrive(i)->PollTimer().Enabled());
    }
    d.SetMonitoring(false);
    EXPECT_FALSE(d.GetDrive(1)->PollTimer().Enabled());
    EXPECT_EQ("HDD4 - B: monitoring disabled", rig->DebugMessages().back());
}

TEST_F(DrivesTest, NoDiskAnsweringLeavesAnEmptyList) {
    TDrives& d = Probe("");
    EXPECT_EQ(0, d.Count());
    EXPECT_EQ(0, d.MeasurableCount());
    d.PollAll();
    EXPECT_EQ(1, afterPolls);
}

} // namespace
} // namespace korvane

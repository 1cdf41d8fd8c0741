// EventReporter: the events a real disk over the simulated driver raises, their levels and their
// insertion strings, recorded by the event log's double.
#include "app/event_reporter.h"

#include "actions/action_rec.h"
#include "drives/drives.h"
#include "settings/keys.h"

#include "fake_event_log.h"
#include "monitor_rig.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using test::MonitorRig;
using Strings = std::vector<std::string>;

// Quotes and inserts of the message texts in the firmware's model: they must stay text.
constexpr const char* kHostileModel = "HOT \"50%\" %1 %%2 DISK";

class EventReporterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        rig = std::make_unique<MonitorRig>(std::string("events_") + info->name());
        rig->Common().WriteString(key::WarningTemp_Level.name, "50");
        rig->Common().WriteString(key::CriticalTemp_Level.name, "60");
        reporter = std::make_unique<EventReporter>(log, *rig->options);
    }
    // The drive list over one disk, the reporter connected as the application connects it.
    void Start(const std::string& disk) {
        rig->Simulate(disk);
        drives = std::make_unique<TDrives>(rig->context);
        reporter->DisksFound(*drives);
        drives->OnStatusChange = [this](TDrives&, TDrive& d, TTempStatus, TTempStatus n) {
            reporter->StatusChanged(d, n);
        };
        drives->OnDrivePolled = [this](TDrives&, TDrive& d) { reporter->DrivePolled(d); };
    }
    void At(const std::string& disk) {
        rig->Simulate(disk);
        drives->PollAll();
    }
    static std::string Hostile(int temperature, const std::string& extra = "") {
        return MonitorRig::Disk(0, kHostileModel, temperature, 160000000, extra);
    }
    // The record the executor hands over when it shows the countdown.
    TActionRec CountdownRecord() {
        TActionRec rec;
        rec.Drive = drives->GetDrive(0);
        rec.Level = 2;
        rec.CurrentTemp = 65;
        rec.LimitTemp = 60;
        rec.PoweroffMethod = 1;
        rec.DriveNumber = 0;
        return rec;
    }

    std::unique_ptr<MonitorRig> rig;
    test::RecordingEventLog log;
    std::unique_ptr<EventReporter> reporter;
    std::unique_ptr<TDrives> drives;
};

TEST_F(EventReporterTest, AWarmingDiskThroughCountdownCancelledToNormalGivesItsEventsAndStrings) {
    Start(Hostile(45));
    At(Hostile(55));
    At(Hostile(56)); // no change, no event
    At(Hostile(65));
    reporter->CountdownStarted(CountdownRecord());
    reporter->CountdownCancelled();
    At(Hostile(40));

    ASSERT_EQ((std::vector<uint32_t>{event::kDiskFound, event::kWarningReached,
                                     event::kCriticalReached, event::kCountdownStarted,
                                     event::kCountdownCancelled, event::kBackToNormal}),
              log.Ids());
    const auto& e = log.events;
    EXPECT_EQ(EventLevel::Information, e[0].level);
    EXPECT_EQ(EventLevel::Warning, e[1].level);
    EXPECT_EQ(EventLevel::Error, e[2].level);
    EXPECT_EQ(EventLevel::Warning, e[3].level);
    EXPECT_EQ(EventLevel::Information, e[4].level);
    EXPECT_EQ(EventLevel::Information, e[5].level);
    // The hostile model is one insertion string of its own, byte for byte, in every event.
    EXPECT_EQ((Strings{"HDD1", kHostileModel, "S0", "45", "normal", "50"}), e[0].strings);
    EXPECT_EQ((Strings{"HDD1", kHostileModel, "S0", "55", "warning", "50"}), e[1].strings);
    EXPECT_EQ((Strings{"HDD1", kHostileModel, "S0", "65", "critical", "60"}), e[2].strings);
    EXPECT_EQ((Strings{"HDD1", kHostileModel, "S0", "65", "critical", "60", "hibernate"}),
              e[3].strings);
    EXPECT_EQ(e[3].strings, e[4].strings);
    EXPECT_EQ((Strings{"HDD1", kHostileModel, "S0", "40", "normal", "50"}), e[5].strings);
}

TEST_F(EventReporterTest, PowerOffRequestedAndFailedNameTheMethodAndTheCountdownsDisk) {
    Start(Hostile(65));
    reporter->CountdownStarted(CountdownRecord());
    reporter->PowerOffRequested(0);
    reporter->PowerOffFailed(0);
    ASSERT_EQ(4u, log.events.size());
    EXPECT_EQ(event::kPowerOffRequested, log.events[2].id);
    EXPECT_EQ(EventLevel::Warning, log.events[2].level);
    EXPECT_EQ("shutdown", log.events[2].strings.back());
    EXPECT_EQ(event::kPowerOffFailed, log.events[3].id);
    EXPECT_EQ(EventLevel::Error, log.events[3].level);
    EXPECT_EQ("HDD1", log.events[3].strings[0]);
    EXPECT_EQ("65", log.events[3].strings[3]);
}

TEST_F(EventReporterTest, UnreadableReadableLostAndFoundAreEachToldOnceWhenTheyHappen) {
    Start(MonitorRig::Disk(0, "ST380011A", 45));
    At(MonitorRig::Disk(0, "ST380011A", 45, 160000000, "Fail=attributes\n"));
    At(MonitorRig::Disk(0, "ST380011A", 45, 160000000, "Fail=attributes\n"));
    At(MonitorRig::Disk(0, "ST380011A", 46));
    At("");
    At("");
    At(MonitorRig::Disk(0, "ST380011A", 46));
    ASSERT_EQ(
        (std::vector<uint32_t>{event::kDiskFound, event::kTemperatureUnreadable,
                               event::kTemperatureReadable, event::kDiskLost, event::kDiskFound}),
        log.Ids());
    EXPECT_EQ(EventLevel::Warning, log.events[1].level);
    EXPECT_EQ("-1", log.events[1].strings[3]); // no reading
    EXPECT_EQ(EventLevel::Warning, log.events[3].level);
    // The lost disk is named as it was last seen.
    EXPECT_EQ((Strings{"HDD1", "ST380011A", "S0", "46", "normal", "50"}), log.events[3].strings);
}

TEST_F(EventReporterTest, AFailedAlarmStepNamesItsFileAsTheLastString) {
    Start(Hostile(55));
    TActionRec rec = CountdownRecord();
    reporter->AlarmStepFailed(rec, event::kSoundFailed, "C:\\no such.wav");
    ASSERT_EQ(2u, log.events.size());
    EXPECT_EQ(event::kSoundFailed, log.events[1].id);
    EXPECT_EQ(EventLevel::Error, log.events[1].level);
    EXPECT_EQ("C:\\no such.wav", log.events[1].strings.back());
}

TEST_F(EventReporterTest, OnWithoutTheKeyOffOnlyWhenTheUserTurnedItOff) {
    reporter->ProgramStarted();
    rig->options->General().WriteBool(key::EventLogEnabled.name, false);
    reporter->ProgramStopped();
    rig->options->General().WriteBool(key::EventLogEnabled.name, true);
    reporter->ProgramStopped();
    ASSERT_EQ((std::vector<uint32_t>{event::kProgramStarted, event::kProgramStopped}), log.Ids());
    EXPECT_EQ((Strings{"1.0", "51"}), log.events[0].strings);
}

TEST(DiskEventStrings, AModelWithLineBreaksQuotesAndInsertsStaysInItsOwnString) {
    DiskEventFacts facts;
    facts.driveNumber = 3;
    facts.model = "A\r\nB \"%1\" %%3 \\ C";
    facts.serial = "%2";
    facts.temperature = 61;
    facts.status = 2;
    facts.level = 60;
    const Strings strings = DiskEventStrings(facts, "");
    EXPECT_EQ((Strings{"HDD4", "A\r\nB \"%1\" %%3 \\ C", "%2", "61", "critical", "60"}), strings);
}

} // namespace
} // namespace korvane

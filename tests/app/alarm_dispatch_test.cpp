// AlarmDispatch: status changes of a real disk over the simulated driver, real log files, and a
// recording queue.
#include "app/alarm_dispatch.h"

#include "settings/keys.h"

#include "executor_fakes.h"
#include "monitor_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane {
namespace {

using test::MonitorRig;

class AlarmDispatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        rig = std::make_unique<MonitorRig>(std::string("dispatch_") + info->name());
        dispatch = std::make_unique<AlarmDispatch>(*rig->logger, queue, [this] { return live; });
        Levels(rig->Common(), "50", "60");
    }
    static void Levels(TOptionsSection& section, const std::string& w, const std::string& c) {
        section.WriteString(key::WarningTemp_Level.name, w);
        section.WriteString(key::CriticalTemp_Level.name, c);
    }
    static void WarningActions(TOptionsSection& section) {
        section.WriteBool(key::WarningCtl_ShowMessage.name, true);
        section.WriteBool(key::WarningCtl_PlaySound.name, true);
        section.WriteBool(key::WarningCtl_ExecuteApp.name, false);
        section.WriteBool(key::WarningCtl_Poweroff.name, true);
        section.WriteString(key::WarningCtl_SoundFile.name, "C:\\w.wav");
        section.WriteString(key::WarningCtl_Application.name, "C:\\w.exe");
        section.WriteInteger(key::WarningCtl_PoweroffMethod.name, 1);
    }
    // The disk, polled at its first temperature with the dispatch connected.
    TDrive& Disk(int temperature) {
        drive = std::make_unique<TDrive>(0, rig->context);
        drive->OnStatusChange = [this](TDrive& d, TTempStatus o, TTempStatus n) {
            dispatch->OnDriveStatusChange(nullptr, d, o, n);
        };
        At(temperature);
        return *drive;
    }
    void At(int temperature) {
        rig->Simulate(MonitorRig::Disk(0, "ST380011A", temperature));
        drive->Poll();
    }
    int DebugCount(const std::string& message) const {
        const auto lines = rig->DebugMessages();
        return static_cast<int>(std::count(lines.begin(), lines.end(), message));
    }
    std::vector<std::string> Changes() const {
        std::vector<std::string> result;
        for (const auto& m : rig->TemperatureMessages(drive->LogFileName()))
            if (m.rfind("changed", 0) == 0)
                result.push_back(m);
        return result;
    }

    std::unique_ptr<MonitorRig> rig;
    test::RecordingActionQueue queue;
    bool live = true;
    std::unique_ptr<AlarmDispatch> dispatch;
    std::unique_ptr<TDrive> drive;
};

TEST_F(AlarmDispatchTest, ARiseToWarningLogsTheChangeAndQueuesOneRequestOfTheWarningSettings) {
    WarningActions(rig->Common());
    Disk(49);
    EXPECT_TRUE(queue.requests.empty());
    At(51);
    ASSERT_EQ(1u, queue.requests.size());
    const auto& r = queue.requests[0];
    EXPECT_EQ(1, r.level);
    EXPECT_EQ(drive.get(), r.drive);
    EXPECT_EQ(50, r.limit);
    EXPECT_TRUE(r.alarm.showMessage);
    EXPECT_TRUE(r.alarm.playSound);
    EXPECT_FALSE(r.alarm.executeApp);
    EXPECT_TRUE(r.alarm.poweroff);
    EXPECT_EQ("C:\\w.wav", r.alarm.soundFile);
    EXPECT_EQ("C:\\w.exe", r.alarm.application);
    EXPECT_EQ(1, r.alarm.poweroffMethod);
    EXPECT_EQ(
        std::vector<std::string>{"changed temperature status (from \"normal\" to \"warning\")"},
        Changes());
    EXPECT_EQ(1, DebugCount("HDD1 - ST380011A: put Warning Action in queue"));

    // Staying warm raises nothing more.
    At(52);
    At(53);
    EXPECT_EQ(1u, queue.requests.size());
}

TEST_F(AlarmDispatchTest, CriticalUsesItsOwnKeysAndFallingBackToWarningQueuesAgain) {
    rig->Common().WriteBool(key::CriticalCtl_ExecuteApp.name, true);
    rig->Common().WriteString(key::CriticalCtl_Application.name, "C:\\c.exe");
    rig->Common().WriteInteger(key::CriticalCtl_PoweroffMethod.name, 0);
    Disk(40);
    At(61); // straight over both levels: the critical request only
    ASSERT_EQ(1u, queue.requests.size());
    EXPECT_EQ(2, queue.requests[0].level);
    EXPECT_EQ(60, queue.requests[0].limit);
    EXPECT_TRUE(queue.requests[0].alarm.executeApp);
    EXPECT_EQ("C:\\c.exe", queue.requests[0].alarm.application);
    EXPECT_EQ(1, DebugCount("HDD1 - ST380011A: put Critical Action in queue"));

    At(58); // critical to warning
    ASSERT_EQ(2u, queue.requests.size());
    EXPECT_EQ(1, queue.requests[1].level);
    At(40); // to normal: only the change line
    EXPECT_EQ(2u, queue.requests.size());
    EXPECT_EQ(
        (std::vector<std::string>{"changed temperature status (from \"normal\" to \"critical\")",
                                  "changed temperature status (from \"critical\" to \"warning\")",
                                  "changed temperature status (from \"warning\" to \"normal\")"}),
        Changes());
}

TEST_F(AlarmDispatchTest, TheSectionInForceGivesLevelsAndActions) {
    const std::string model = "ST380011A";
    Disk(40);
    rig->Common().WriteBool(key::WarningCtl_ShowMessage.name, false);
    TOptionsSection& own = rig->Own(model);
    Levels(own, "45", "55");
    own.WriteBool(key::WarningCtl_ShowMessage.name, true);
    own.WriteBool(key::UseCommonSettings.name, true); // the common section wins
    At(51);
    ASSERT_EQ(1u, queue.requests.size());
    EXPECT_EQ(50, queue.requests[0].limit);
    EXPECT_FALSE(queue.requests[0].alarm.showMessage);

    At(40);
    own.WriteBool(key::UseCommonSettings.name, false); // now its own
    At(51);
    ASSERT_EQ(2u, queue.requests.size());
    EXPECT_EQ(45, queue.requests[1].limit);
    EXPECT_TRUE(queue.requests[1].alarm.showMessage);
}

TEST_F(AlarmDispatchTest, NothingHappensBeforeTheCountdownWindowExists) {
    live = false;
    Disk(40);
    At(61);
    EXPECT_TRUE(queue.requests.empty());
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(0, DebugCount("HDD1 - ST380011A: put Critical Action in queue"));

    // A change after the window exists is dispatched; the disk's status was kept meanwhile.
    live = true;
    At(55);
    ASSERT_EQ(1u, queue.requests.size());
    EXPECT_EQ(1, queue.requests[0].level);
}

TEST_F(AlarmDispatchTest, WithLoggingOffTheAlarmIsStillQueuedAndAnnounced) {
    rig->options->General().WriteBool(key::LogEnabled.name, false);
    Disk(40);
    At(51);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(1u, queue.requests.size());
    EXPECT_EQ(1, DebugCount("HDD1 - ST380011A: put Warning Action in queue"));

    // Missing keys: flags off, texts empty, a level of -1; queued all the same.
    rig->Common().WriteString(key::WarningTemp_Level.name, "");
    dispatch->QueueDriveAlarm(*drive, TTempStatus::Warning);
    ASSERT_EQ(2u, queue.requests.size());
    EXPECT_EQ(-1, queue.requests[1].limit);
    dispatch->QueueDriveAlarm(*drive, TTempStatus::Normal);
    dispatch->QueueDriveAlarm(*drive, static_cast<TTempStatus>(7));
    EXPECT_EQ(2u, queue.requests.size());
}

} // namespace
} // namespace korvane

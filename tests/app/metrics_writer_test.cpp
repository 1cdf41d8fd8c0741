// MetricsWriter: real files in a temp folder from a real disk over the simulated driver; the
// second's coalescing through the toolkit double's timer and a clock the test moves.
#include "app/metrics_writer.h"

#include "drives/drives.h"
#include "settings/keys.h"

#include "monitor_rig.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

using test::MonitorRig;

class MetricsWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        rig = std::make_unique<MonitorRig>(std::string("metrics_") + info->name());
        rig->Simulate(MonitorRig::Disk(0, "ST380011A", 45) + MonitorRig::Disk(1, "WARM", 55));
        drives = std::make_unique<TDrives>(rig->context);
        drives->PollAll(); // the probe left every disk normal
        writer = std::make_unique<MetricsWriter>(MetricsWriterDeps{
            .files = rig->files,
            .options = *rig->options,
            .logger = *rig->logger,
            .toolkit = rig->toolkit,
            .nowMs = [this] { return nowMs; },
            .unixNow = [] { return int64_t{1796000000}; },
        });
        timer = rig->toolkit.timers.back();
        // The setting takes full paths only, and the rig's folder may be relative to the run.
        dir = std::filesystem::absolute(rig->dir).string();
    }
    void SetPath(const std::string& path) {
        rig->options->General().WriteString(key::MetricsFile.name, path);
    }
    void Polled() { writer->DrivePolled(*drives, *drives->GetDrive(0)); }
    std::string Read(const std::string& posixPath) const {
        std::ifstream in(posixPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int DebugCount(const std::string& message) const {
        const auto lines = rig->DebugMessages();
        return static_cast<int>(std::count(lines.begin(), lines.end(), message));
    }

    std::unique_ptr<MonitorRig> rig;
    std::string dir;
    std::unique_ptr<TDrives> drives;
    std::unique_ptr<MetricsWriter> writer;
    test::FakeTimer* timer = nullptr;
    int64_t nowMs = 100000;
};

TEST_F(MetricsWriterTest, OffWhileTheSettingIsEmptyAndNotWrittenForARelativeName) {
    Polled();
    EXPECT_FALSE(timer->Enabled());
    EXPECT_FALSE(writer->WriteNow(*drives));
    SetPath("textfile\\disks.prom");
    Polled();
    EXPECT_EQ(1, DebugCount("metrics file not written (textfile\\disks.prom)"));
}

TEST_F(MetricsWriterTest, WritesAtOnceThenAtMostOnceASecondIntoAFolderItMakes) {
    const std::string posix = dir + "/collector/textfile/disks.prom";
    SetPath(dir + "\\collector\\textfile\\disks.prom");
    Polled();
    const std::string first = Read(posix);
    EXPECT_NE(std::string::npos, first.find("korvane_disk_temperature_celsius{disk=\"HDD1\","
                                            "model=\"ST380011A\",serial=\"S0\"} 45\n"));
    EXPECT_NE(std::string::npos, first.find("korvane_disk_state{disk=\"HDD2\",model=\"WARM\","
                                            "serial=\"S1\"} 1\n"));
    EXPECT_NE(std::string::npos, first.find("korvane_disk_last_reading_timestamp_seconds{"
                                            "disk=\"HDD1\",model=\"ST380011A\",serial=\"S0\"} "
                                            "1796000000\n"));
    EXPECT_FALSE(rig->files.FileExists(posix + ".tmp"));

    // Two more polls within the second: no write now, one when the second is over.
    rig->Simulate(MonitorRig::Disk(0, "ST380011A", 47) + MonitorRig::Disk(1, "WARM", 55));
    drives->PollAll();
    nowMs += 300;
    Polled();
    nowMs += 100;
    Polled();
    EXPECT_EQ(first, Read(posix));
    ASSERT_TRUE(timer->Enabled());
    EXPECT_EQ(700, timer->Interval());
    nowMs += 600;
    timer->Fire();
    EXPECT_FALSE(timer->Enabled());
    EXPECT_NE(std::string::npos, Read(posix).find("serial=\"S0\"} 47\n"));

    // A poll a second after the last write writes at once again.
    nowMs += 1000;
    rig->Simulate(MonitorRig::Disk(0, "ST380011A", 48) + MonitorRig::Disk(1, "WARM", 55));
    drives->PollAll();
    Polled();
    EXPECT_NE(std::string::npos, Read(posix).find("serial=\"S0\"} 48\n"));
    EXPECT_FALSE(timer->Enabled());
}

TEST_F(MetricsWriterTest, AFailingWriteIsLoggedOnceAndAgainWhenItWorksAgain) {
    // A file where the folder should be: neither the folder nor the file can be made.
    std::ofstream(dir + "/blocker") << "x";
    const std::string path = dir + "\\blocker\\disks.prom";
    SetPath(path);
    for (int i = 0; i < 3; ++i) {
        nowMs += 1000;
        Polled();
    }
    EXPECT_EQ(1, DebugCount("metrics file not written (" + path + ")"));
    EXPECT_EQ(0, DebugCount("metrics file written again (" + path + ")"));
    rig->files.RemoveFile(dir + "\\blocker");
    for (int i = 0; i < 2; ++i) {
        nowMs += 1000;
        Polled();
    }
    EXPECT_EQ(1, DebugCount("metrics file not written (" + path + ")"));
    EXPECT_EQ(1, DebugCount("metrics file written again (" + path + ")"));
    EXPECT_FALSE(Read(dir + "/blocker/disks.prom").empty());
}

} // namespace
} // namespace korvane

// FormatMetrics: the exposition text itself; tests/app/check_metrics.py parses a hostile one.
#include "app/metrics_format.h"

#include "test_env.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace korvane {
namespace {

DiskMetrics Disk(int32_t number, const std::string& model, int32_t temperature) {
    DiskMetrics d;
    d.driveNumber = number;
    d.model = model;
    d.serial = "S" + std::to_string(number);
    d.readPath = "S.M.A.R.T.";
    d.hasReading = temperature > 0;
    d.temperature = temperature;
    d.warningLevel = 50;
    d.criticalLevel = 60;
    d.state = temperature >= 60 ? 2 : temperature >= 50 ? 1 : 0;
    d.lastReadingUnix = d.hasReading ? 1796000000 : -1;
    return d;
}

TEST(MetricsFormat, EveryFamilyHasHelpAndTypeOnceAndTheTextEndsInALineFeed) {
    const std::string text = FormatMetrics({Disk(0, "A", 40), Disk(1, "B", 55)});
    ASSERT_FALSE(text.empty());
    EXPECT_EQ('\n', text.back());
    for (const char* name :
         {"korvane_build_info", "korvane_disk_info", "korvane_disk_temperature_celsius",
          "korvane_disk_warning_level_celsius", "korvane_disk_critical_level_celsius",
          "korvane_disk_state", "korvane_disk_last_reading_timestamp_seconds"}) {
        const std::string help = std::string("# HELP ") + name + " ";
        const std::string type = std::string("# TYPE ") + name + " gauge\n";
        EXPECT_NE(std::string::npos, text.find(help)) << name;
        EXPECT_EQ(text.find(help), text.rfind(help)) << name;
        EXPECT_NE(std::string::npos, text.find(type)) << name;
    }
    EXPECT_NE(std::string::npos,
              text.find("korvane_disk_temperature_celsius{disk=\"HDD2\",model=\"B\",serial=\"S1\"} "
                        "55\n"));
    EXPECT_NE(std::string::npos,
              text.find("korvane_disk_state{disk=\"HDD2\",model=\"B\",serial=\"S1\"} 1\n"));
    EXPECT_NE(std::string::npos, text.find("korvane_disk_info{disk=\"HDD1\",model=\"A\",serial="
                                           "\"S0\",read_path=\"S.M.A.R.T.\"} 1\n"));
}

TEST(MetricsFormat, ADiskWithoutAReadingHasNoTemperatureOrReadingTimeSeries) {
    const std::string text = FormatMetrics({Disk(0, "A", -1)});
    EXPECT_EQ(std::string::npos, text.find("korvane_disk_temperature_celsius{"));
    EXPECT_EQ(std::string::npos, text.find("korvane_disk_last_reading_timestamp_seconds{"));
    EXPECT_NE(std::string::npos, text.find("korvane_disk_state{disk=\"HDD1\""));
}

TEST(MetricsFormat, LabelValuesEscapeBackslashQuoteAndLineFeedAndHighBytesBecomeUtf8) {
    EXPECT_EQ("a\\\\b\\\"c\\nd", EscapeLabelValue("a\\b\"c\nd"));
    EXPECT_EQ("\xC2\xB0"
              "C",
              EscapeLabelValue("\xB0"
                               "C"));
    EXPECT_EQ("x.prom.tmp", MetricsTempPath("x.prom"));
}

// The real parser keeps a hostile model's text: quote, backslash and line break.
TEST(MetricsFormat, PrometheusClientsParserReadsAHostileModelBack) {
    const std::string model = "WDC \"X\" C:\\disk\nline two";
    const std::string path = test::FreshTempDir("metrics_hostile") + "/hostile.prom";
    {
        std::ofstream out(path, std::ios::binary);
        out << FormatMetrics({Disk(0, model, 45), Disk(1, "PLAIN", -1)});
    }
    const std::string expected = test::FreshTempDir("metrics_hostile_model") + "/model.txt";
    {
        std::ofstream out(expected, std::ios::binary);
        out << model;
    }
    const std::string command = std::string(KORVANE_PYTHON) + " " + KORVANE_CHECK_METRICS + " " +
                                path + " --model-file " + expected;
    EXPECT_EQ(0, std::system(command.c_str())) << command;
}

} // namespace
} // namespace korvane

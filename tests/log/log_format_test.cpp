// Log line formats: time stamps, level fields, one-line messages and safe file names.
#include "log/log_format.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace korvane {
namespace {

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
    return LocalTime{year, month, day, hour, minute, second, 0};
}

TEST(LogTimeStamp, EnglishMonthsAndHoursWithoutLeadingZero) {
    const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(std::string("06/") + months[m - 1] + "/2026",
                  FormatLogDate(At(2026, m, 6, 0, 0, 0)));
    }
    EXPECT_EQ("06/Dec/2026 9:05:07", FormatTimeStamp(At(2026, 12, 6, 9, 5, 7)));
    EXPECT_EQ("31/Jan/2027 0:00:00", FormatTimeStamp(At(2027, 1, 31, 0, 0, 0)));
    EXPECT_EQ("01/Feb/0999 23:59:58", FormatTimeStamp(At(999, 2, 1, 23, 59, 58)));
}

TEST(LogLines, BothFormatsToTheByte) {
    const LocalTime t = At(2026, 12, 6, 9, 5, 7);
    EXPECT_EQ("[06/Dec/2026 9:05:07] Temperature = 45\xB0"
              "C (113\xB0"
              "F)",
              TemperatureLogLine(t, "Temperature = 45\xB0"
                                    "C (113\xB0"
                                    "F)"));
    EXPECT_EQ("[06/Dec/2026 9:05:07] [notice]  Start Action",
              DebugLogLine(t, kNotice, "Start Action"));
    EXPECT_EQ("[06/Dec/2026 9:05:07] [warning] Start Action",
              DebugLogLine(t, kWarning, "Start Action"));
    EXPECT_EQ("[06/Dec/2026 9:05:07] [error]   Start Action",
              DebugLogLine(t, kError, "Start Action"));
    EXPECT_EQ("[06/Dec/2026 9:05:07] []        Start Action", DebugLogLine(t, 7, "Start Action"));
    EXPECT_EQ("[]       ", LevelField(-1));
    EXPECT_EQ("", LevelName(3));
}

TEST(LogLines, AKeptBufferGetsExactlyTheNewLine) {
    const LocalTime t = At(2026, 12, 6, 9, 5, 7);
    std::string line(200, 'x');
    MakeTemperatureLogLine(line, t, "a\r\nb");
    EXPECT_EQ("[06/Dec/2026 9:05:07] a__b", line);
    MakeDebugLogLine(line, t, kWarning, "Start Action");
    EXPECT_EQ(DebugLogLine(t, kWarning, "Start Action"), line);
    MakeDebugLogLine(line, t, 7, "");
    EXPECT_EQ("[06/Dec/2026 9:05:07] []        ", line);
    // Every field at its extreme still gives the whole stamp.
    const LocalTime extreme{INT32_MIN, 13, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, 0};
    const std::string m = "-2147483648";
    EXPECT_EQ("[" + m +
                  "/??"
                  "?/" +
                  m + " " + m + ":" + m + ":" + m + "] x",
              TemperatureLogLine(extreme, "x"));
}

TEST(LogFileNames, FirmwareTextCannotLeaveTheLogsFolder) {
    EXPECT_EQ("ST3500418AS (500 GB).log", SafeFileName("ST3500418AS (500 GB).log"));
    EXPECT_EQ(".._.._Windows_win.ini (1 GB).log",
              SafeFileName("..\\..\\Windows\\win.ini (1 GB).log"));
    EXPECT_EQ("C__x_y _a_b_c_d_e_f_.log", SafeFileName("C:/x\\y *a?b\"c<d>e|f\x01.log"));
    EXPECT_EQ("Ma\xDF"
              "e.log",
              SafeFileName("Ma\xDF"
                           "e.log")); // ANSI letters stay
}

TEST(LogFileNames, DeviceNamesGetALeadingUnderscore) {
    // Windows opens these stems as devices whatever the extension: "COM1.X (1 GB).log" is COM1.
    for (const char* name :
         {"COM1.X (1 GB).log", "com9.log", "LPT1.a.b", "lpt9 .log", "CON.log", "prn.x", "Aux  .log",
          "NUL.log", "nul", "COM0.x", "CONIN$.log", "conout$", "COM\xB9.log", "LPT\xB3.log"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(std::string("_") + name, SafeFileName(name));
    }
    // Near misses are ordinary names.
    for (const char* name : {"COM10.log", "COM.log", "LPTA.log", "CONS.log", "NUL (80 GB).log",
                             " NUL.log", "NULL.log", "ACOM1.log", "ST380011A (74,5 GB).log",
                             "WDC WD800JB-00JJC0 (80 GB).log", "(unknown) (0 GB).log"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(name, SafeFileName(name));
    }
    // Characters are replaced first; what they leave is no device name.
    EXPECT_EQ("NUL_.log", SafeFileName("NUL:.log"));
    EXPECT_EQ("COM1_.log", SafeFileName("COM1\x7F.log"));
    EXPECT_EQ("_LPT2._x.log", SafeFileName("LPT2.\x01x.log"));
}

TEST(LogLines, AMessageStaysOneLine) {
    const LocalTime t = At(2026, 12, 6, 9, 5, 7);
    // A model whose firmware text carries a line break and a forged record.
    const std::string forged = "HDD1 - X\r\n[07/Dec/2026 9:00:00] [error]   FAKE";
    EXPECT_EQ("[06/Dec/2026 9:05:07] [notice]  New HDD Found: HDD1 - X__[07/Dec/2026 9:00:00] "
              "[error]   FAKE",
              DebugLogLine(t, kNotice, "New HDD Found: " + forged));
    EXPECT_EQ("[06/Dec/2026 9:05:07] a_b_c_d_e", TemperatureLogLine(t, "a\tb\x7F"
                                                                       "c\x01"
                                                                       "d\ne"));
    EXPECT_EQ(std::string("x\xB0"
                          "C \xFF"),
              SafeLogText("x\xB0"
                          "C \xFF")); // ANSI bytes stay
    EXPECT_EQ("_", SafeLogText(std::string(1, '\0')));
}

} // namespace
} // namespace korvane

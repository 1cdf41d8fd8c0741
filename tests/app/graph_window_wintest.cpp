// The temperature graph window in the sim build as a user runs it: opened from the main menu, a
// disk's menu and a disk page, drawn at 24 hours and 7 days over a week of history, its live line
// moving, Ctrl+C on the clipboard, its size remembered.
#include "app_program_win.h"
#include "gdi_win.h"
#include "log/log_format.h"
#include "log/log_reader.h"
#include "png_writer.h"
#include "settings/location/data_folder.h"
#include "test_env.h"
#include "toolkit/app_window_win.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

namespace korvane {
namespace {

constexpr DWORD kWindowTimeoutMs = 20000;
constexpr const char* kGraph = "Korvane - Temperature Graph";
// The lines' colours on screen (0xRRGGBB): the first log's, the fourth's (the warming disk) and
// the fifth's (the disk seen before).
constexpr uint32_t kFirstLine = 0x0060C0;
constexpr uint32_t kHotLine = 0x008080;
constexpr uint32_t kOldLine = 0x804000;

std::string Disk(int drive, const std::string& body) {
    return "[PhysicalDrive" + std::to_string(drive) + "]\r\nModel=GRAPH DISK " +
           std::to_string(drive + 1) + "\r\nSectors=160000000\r\n" + body + "\r\n";
}

// A user who ran the program before: four disks known, polled every second, levels 50 and 60.
std::string KnownSettings() {
    std::string ini =
        "[General]\r\nUseCelsius=1\r\nShowMainIcon=0\r\nLogEnabled=1\r\nLogDays=30\r\n"
        "[Drive_COMMON]\r\nPollInterval=1\r\nPollUnits=0\r\nShowDriveTempInTray=0\r\n"
        "WarningTemp_Level=50\r\nCriticalTemp_Level=60\r\n"
        "WarningTemp_IconTextColor=255\r\nWarningTemp_IconBgColor=536870911\r\n"
        "CriticalTemp_IconTextColor=16777215\r\nCriticalTemp_IconBgColor=255\r\n";
    for (int i = 1; i <= 4; ++i)
        ini += "[Drive_GRAPH DISK " + std::to_string(i) +
               "]\r\nEnableTempControl=1\r\nUseCommonSettings=1\r\nShowDriveTempInTray=0\r\n";
    return ini;
}

// Eight days up to now at one line a minute, warmer by day, with three hours off yesterday.
std::string History(int base, int64_t now) {
    std::string text;
    for (int64_t t = now - 8 * 86400; t < now - 120; t += 60) {
        if (t > now - 30 * 3600 && t < now - 27 * 3600)
            continue;
        const double hour = static_cast<double>(t % 86400) / 3600.0;
        const int c = base + static_cast<int>(std::lround(6 * std::sin((hour - 8) * 3.14159 / 12)));
        text += TemperatureLogLine(FromLocalSeconds(t),
                                   "Temperature = " + std::to_string(c) + "\xB0" + "C (" +
                                       std::to_string(c * 9 / 5 + 32) + "\xB0" + "F)") +
                "\r\n";
    }
    return text;
}

LocalTime Now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, 0};
}

// The client area of a window as the screen shows it, 0xRRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The screen as the program painted it: asking it to repaint here, in a tight loop, would keep
// its thread painting and its poll timers waiting.
Picture Capture(HWND window) {
    test::ui::PumpMessages();
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    Picture p;
    p.pixels = test::ScreenPixels(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (!p.pixels.empty()) {
        p.width = r.right - r.left;
        p.height = r.bottom - r.top;
    }
    for (uint32_t& px : p.pixels)
        px &= 0x00FFFFFFu;
    return p;
}

bool Save(const Picture& p, const std::string& name) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    const std::string folder =
        test::JoinPath(build != nullptr && *build != '\0' ? build : ".", "docs-images");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<uint32_t> argb = p.pixels;
    for (uint32_t& px : argb)
        px |= 0xFF000000u;
    return test::WritePng(test::JoinPath(folder, name + ".png"), p.width, p.height, argb);
}

// How many pixels have the colour, and the rightmost column holding one (-1: none).
struct ColourPlace {
    int count = 0;
    int right = -1;
};
ColourPlace Find(const Picture& p, uint32_t colour) {
    ColourPlace place;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.pixels[static_cast<size_t>(y) * p.width + x] == colour) {
                ++place.count;
                place.right = std::max(place.right, x);
            }
    return place;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* at = static_cast<const char*>(GlobalLock(data))) {
            text = at;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

HWND WaitForGraph(DWORD pid) {
    HWND graph = nullptr;
    test::PumpUntil([&] { return (graph = test::VisibleWindowOf(pid, "KorvaneForm", kGraph)); },
                    kWindowTimeoutMs);
    return graph;
}

TEST(TemperatureGraph, OpensFromMenusAndPageDrawsHistoryAndLiveLinesAndCopies) {
    test::CleanDataFolder clean;
    const std::string exe = test::SimProgramIn(
        "graph_window", Disk(0, "Temperature=38") + Disk(1, "Temperature=41") +
                            Disk(2, "Temperature=44") + Disk(3, "Ramp=46,64,40"));
    ASSERT_FALSE(exe.empty());
    const std::string data = test::ProgramDataFolder();
    CreateDirectoryA(data.substr(0, data.size() - 1).c_str(), nullptr);
    CreateDirectoryA((data + "logs").c_str(), nullptr);
    test::WriteFileBytes(data + kSettingsFileName, KnownSettings());
    // A week of history for three of the disks and for one seen before and gone since.
    const int64_t now = LocalSeconds(Now());
    test::WriteFileBytes(data + "logs\\GRAPH DISK 1 (80 GB).log", History(36, now));
    test::WriteFileBytes(data + "logs\\GRAPH DISK 2 (80 GB).log", History(40, now));
    test::WriteFileBytes(data + "logs\\GRAPH DISK 3 (80 GB).log", History(43, now));
    // The disk seen before has a line edited by hand and one cut off at its end.
    test::WriteFileBytes(data + "logs\\OLD DISK 40 (40 GB).log",
                         History(30, now - 3 * 86400) + "checked the fan\r\n[06/Dec/2026 9:0");

    test::RunningProgram program;
    ASSERT_TRUE(program.Start(exe)) << program.failure;
    ASSERT_EQ(nullptr, program.box);
    SetCursorPos(1000, 700); // no readout in the pictures

    // The main menu's entry by its access key: all disks, no levels.
    ASSERT_TRUE(test::ChooseFromTrayMenu(program.window, 1, {'G'}, kWindowTimeoutMs));
    HWND graph = WaitForGraph(program.Id());
    ASSERT_NE(nullptr, graph);
    EXPECT_EQ(program.window, GetWindow(graph, GW_OWNER)); // no task-bar button of its own
    EXPECT_NE(0, GetWindowLongA(graph, GWL_STYLE) & WS_THICKFRAME);
    const HWND plot = test::ui::FindDescendant(graph, "Static");
    const HWND day = test::ui::FindByText(graph, "2&4 h", "Button");
    ASSERT_TRUE(plot && day);

    // The graph has the focus; Tab goes round to the first range button.
    const auto focus = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(graph, nullptr), &info);
        return info.hwndFocus;
    };
    EXPECT_TRUE(test::PumpUntil([&] { return focus() == plot; }, kWindowTimeoutMs));
    PostMessageA(plot, WM_KEYDOWN, VK_TAB, 0);
    const HWND hour = test::ui::FindByText(graph, "&1 h", "Button");
    EXPECT_TRUE(test::PumpUntil([&] { return focus() == hour; }, kWindowTimeoutMs));

    // 24 hours by its button, 7 days by its key: history of three disks, the gap yesterday.
    PostMessageA(day, BM_CLICK, 0, 0);
    Picture dayPicture;
    const bool dayDrawn = test::PumpUntil(
        [&] {
            dayPicture = Capture(graph);
            return Find(dayPicture, kFirstLine).count > 500;
        },
        kWindowTimeoutMs);
    EXPECT_TRUE(Save(dayPicture, "graph_24h"));
    // Each log read once, and what was not a reading said in the debug log.
    EXPECT_TRUE(test::DebugLogHas("graph: OLD DISK 40 (40 GB).log: unrecognised lines skipped: 1"));
    ASSERT_TRUE(dayDrawn) << Find(dayPicture, kFirstLine).count;
    EXPECT_LT(Find(dayPicture, kOldLine).count, 200);
    PostMessageA(plot, WM_KEYDOWN, '7', 0);
    Picture weekPicture;
    ASSERT_TRUE(test::PumpUntil(
        [&] {
            weekPicture = Capture(graph);
            // The disk gone three days ago: more than its legend entry only at 7 days.
            return Find(weekPicture, kOldLine).count > 300 &&
                   Find(weekPicture, kFirstLine).count > 500;
        },
        kWindowTimeoutMs));
    EXPECT_TRUE(Save(weekPicture, "graph_7days"));

    // One hour: the warming disk's line grows to the right while the window is open.
    PostMessageA(plot, WM_KEYDOWN, '1', 0);
    int firstRight = -1;
    ASSERT_TRUE(
        test::PumpUntil([&] { return (firstRight = Find(Capture(graph), kHotLine).right) >= 0; },
                        kWindowTimeoutMs));
    EXPECT_TRUE(test::PumpUntil([&] { return Find(Capture(graph), kHotLine).right > firstRight; },
                                kWindowTimeoutMs));

    // Ctrl+C: the visible hour as CSV, history and live rows alike.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    PostMessageA(plot, WM_CHAR, 3, 1);
    std::string csv;
    ASSERT_TRUE(
        test::PumpUntil([&] { return !(csv = ClipboardText()).empty(); }, kWindowTimeoutMs));
    EXPECT_EQ(0u, csv.find("Time,Log,\xB0"
                           "C\r\n"));
    std::map<std::string, int> rows;
    for (size_t at = csv.find("\r\n") + 2; at < csv.size();) {
        const size_t end = csv.find("\r\n", at);
        const std::string row = csv.substr(at, end - at);
        at = end + 2;
        // 2026-12-06T09:05:07,HDD - GRAPH DISK 1 (80 GB),38
        ASSERT_GT(row.size(), 20u) << row;
        EXPECT_EQ('T', row[10]) << row;
        EXPECT_EQ(',', row[19]) << row;
        ++rows[row.substr(20, row.rfind(',') - 20)];
    }
    EXPECT_GE(rows["HDD - GRAPH DISK 1 (80 GB)"], 50); // an hour of minutes, then seconds
    EXPECT_GE(rows["HDD - GRAPH DISK 4 (80 GB)"], 3)
        << csv.substr(csv.size() > 600 ? csv.size() - 600 : 0)
        << test::ReadFileBytes(data + "logs\\GRAPH DISK 4 (80 GB).log");
    EXPECT_EQ(0, rows.count("HDD - OLD DISK 40 (40 GB)")); // it ended three days ago

    // Esc closes; the size and place stay in the settings file.
    PostMessageA(plot, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(graph); }, kWindowTimeoutMs));
    const std::string ini = test::ReadFileBytes(data + kSettingsFileName);
    EXPECT_NE(std::string::npos, ini.find("[Graph]")) << ini;
    EXPECT_NE(std::string::npos, ini.find("Width=")) << ini;

    // A disk's menu by the access key, and the disk page's button.
    ASSERT_TRUE(test::ChooseFromTrayMenu(program.window, 5, {'G'}, kWindowTimeoutMs));
    ASSERT_EQ(graph, WaitForGraph(program.Id()));
    PostMessageA(graph, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(test::PumpUntil([&] { return !IsWindowVisible(graph); }, kWindowTimeoutMs));
    PostMessageA(program.window, kTrayCallbackMessage, 5, WM_LBUTTONDBLCLK);
    HWND button = nullptr;
    ASSERT_TRUE(test::PumpUntil(
        [&] {
            HWND settings =
                test::VisibleWindowOf(program.Id(), "KorvaneForm", "Korvane - Settings");
            button = settings ? test::ui::FindByText(settings, "Graph...", "Button") : nullptr;
            return button && test::ui::IsVisible(button);
        },
        kWindowTimeoutMs));
    PostMessageA(button, BM_CLICK, 0, 0);
    ASSERT_EQ(graph, WaitForGraph(program.Id()));
    // The warming disk selected: its levels drawn in the state colours (red on first run).
    Picture levels;
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            levels = Capture(graph);
            return Find(levels, 0xFF0000).count > 100;
        },
        kWindowTimeoutMs))
        << Save(levels, "graph_levels");

    EXPECT_TRUE(program.Exit());
}

} // namespace
} // namespace korvane

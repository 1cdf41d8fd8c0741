// The sim build as a collector sees it, run by tests/app/collectors_run.sh: four disks polled
// every second, the fourth (with a hostile model) heated through warning and critical and cooled
// again, its countdown cancelled; a reader reads the metrics file in a loop for a minute and never
// finds half of it, and Wine's event-log trace (the script's stderr, KORVANE_EVENT_TRACE) holds the
// events with their ids, levels and insertion strings.
#include "app_program_win.h"
#include "test_env.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace korvane {
namespace {

constexpr const char* kHostileModel = "HOT \"50%\" %1 DISK";
constexpr double kReadForMs = 60000;
// And until the warming disk is back to normal in the file, but no longer than this.
constexpr double kReadAtMostMs = 120000;

// Three steady disks and the fourth, with a hostile model, at `hot` degrees.
std::string SimulationIni(int hot) {
    std::string ini;
    const char* steady[] = {"STEADY DISK A", "STEADY DISK B", "STEADY DISK C"};
    for (int n = 0; n < 3; ++n)
        ini += "[PhysicalDrive" + std::to_string(n) + "]\r\nModel=" + steady[n] + "\r\nSerial=S" +
               std::to_string(n) +
               "\r\nSectors=156301488\r\nTemperature=" + std::to_string(35 + n) + "\r\n";
    ini += std::string("[PhysicalDrive3]\r\nModel=") + kHostileModel +
           "\r\nSerial=W\\3\r\nSectors=156301488\r\nTemperature=" + std::to_string(hot) + "\r\n";
    return ini;
}

// The program reads the file again when it changed: replaced whole, never seen half-written.
void Heat(const std::string& exe, int hot) {
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    test::WriteFileBytes(folder + "\\simulation.new", SimulationIni(hot));
    MoveFileExA((folder + "\\simulation.new").c_str(), (folder + "\\simulation.ini").c_str(),
                MOVEFILE_REPLACE_EXISTING);
}

std::string SettingsIni(const std::string& metricsFile) {
    std::string ini =
        "[General]\r\nUseCelsius=1\r\nShowMainIcon=1\r\nLogEnabled=1\r\nLogDays=3\r\n"
        "EventLogEnabled=1\r\nMetricsFile=" +
        metricsFile +
        "\r\n[Drive_COMMON]\r\nPollInterval=1\r\nPollUnits=0\r\nShowDriveTempInTray=0\r\n"
        "WarningTemp_Level=50\r\nCriticalTemp_Level=60\r\n"
        "CriticalCtl_Poweroff=1\r\nCriticalCtl_PoweroffMethod=1\r\n";
    for (const char* model : {"STEADY DISK A", "STEADY DISK B", "STEADY DISK C", kHostileModel})
        ini +=
            std::string("[Drive_") + model + "]\r\nEnableTempControl=1\r\nUseCommonSettings=1\r\n";
    return ini;
}

// The file as a scraper reads it: opened for reading, sharing read and write but not delete, so
// that a rename meanwhile meets a sharing violation. False, with the error, when it cannot be
// opened.
bool ReadAsScraper(const std::string& path, std::string& text, DWORD& error) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    text.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return true;
}

// Whole: every family's type line, every disk's state, and the final line feed.
bool Whole(const std::string& text) {
    if (text.empty() || text.back() != '\n')
        return false;
    size_t types = 0;
    size_t states = 0;
    for (size_t at = text.find("# TYPE "); at != std::string::npos;
         at = text.find("# TYPE ", at + 1))
        ++types;
    for (size_t at = text.find("\nkorvane_disk_state{"); at != std::string::npos;
         at = text.find("\nkorvane_disk_state{", at + 1))
        ++states;
    return types == 7 && states == 4;
}

HWND CountdownOf(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found;
    } search{pid, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != s->pid || !IsWindowVisible(hwnd) ||
                !test::ui::FindByText(hwnd, "&Cancel", "Button"))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One ReportEvent call as Wine traces it: its type, id and strings.
struct TracedEvent {
    unsigned type = 0;
    unsigned id = 0;
    std::vector<std::string> strings;
};

// L"..." of debugstr_w back into its text.
std::string Unquote(const std::string& quoted) {
    std::string out;
    const size_t begin = quoted.find("L\"");
    const size_t end = quoted.rfind('"');
    if (begin == std::string::npos || end <= begin + 1)
        return out;
    for (size_t i = begin + 2; i < end; ++i) {
        if (quoted[i] != '\\' || i + 1 >= end) {
            out += quoted[i];
            continue;
        }
        const char c = quoted[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

// The fixme line of advapi's ReportEventW names type, category, id and the number of strings;
// the eventlog channel's lines after it are the strings, each cut after its line feeds.
std::vector<TracedEvent> ParseTrace(const std::string& text) {
    std::vector<TracedEvent> events;
    std::istringstream in(text);
    std::string line;
    size_t wanted = 0;
    std::string current;
    while (std::getline(in, line)) {
        const size_t call = line.find(":advapi:ReportEventW (");
        if (call != std::string::npos) {
            // (source,type,category,id,sid,strings,data size,strings,data): stub
            std::vector<std::string> fields;
            std::istringstream args(line.substr(call + 22));
            std::string field;
            while (std::getline(args, field, ','))
                fields.push_back(field);
            if (fields.size() >= 6) {
                TracedEvent e;
                e.type = static_cast<unsigned>(std::strtoul(fields[1].c_str(), nullptr, 16));
                e.id = static_cast<unsigned>(std::strtoul(fields[3].c_str(), nullptr, 16));
                wanted = std::strtoul(fields[5].c_str(), nullptr, 16);
                events.push_back(e);
                current.clear();
            }
            continue;
        }
        if (line.find(":eventlog:ReportEventW") == std::string::npos || events.empty() ||
            events.back().strings.size() >= wanted)
            continue;
        current += Unquote(line.substr(line.find("ReportEventW")));
        if (current.empty() || current.back() != '\n') {
            events.back().strings.push_back(current);
            current.clear();
        }
    }
    return events;
}

TEST(CollectorsProgramRun, MetricsFileIsAlwaysWholeAndTheEventLogTellsTheWarmingDisksStory) {
    const char* trace = std::getenv("KORVANE_EVENT_TRACE");
    ASSERT_NE(nullptr, trace) << "run by tests/app/collectors_run.sh";
    test::CleanDataFolder clean;
    const std::string exe = test::SimProgramIn("collectors_run", SimulationIni(40));
    ASSERT_FALSE(exe.empty());
    const std::string out = test::FreshTempDir("collectors_metrics");
    // A folder that does not exist yet: the program makes it.
    const std::string metrics = out + "\\textfile\\korvane.prom";
    CreateDirectoryA(test::ProgramDataFolder().c_str(), nullptr);
    test::WriteFileBytes(test::ProgramDataFolder() + "Korvn.ini", SettingsIni(metrics));

    test::RunningProgram program;
    ASSERT_TRUE(program.Start(exe)) << program.failure;
    ASSERT_EQ(nullptr, program.box);

    size_t reads = 0;
    size_t missing = 0;
    size_t busy = 0;
    std::vector<std::string> torn;
    std::set<std::string> versions;
    std::string warm; // a version with the fourth disk critical
    bool cancelled = false;
    // The warming disk's way, one step each time the file shows the last one: warning, critical
    // (its countdown cancelled), normal.
    int step = 0;
    const auto state = [](const std::string& text, int value) {
        return text.find("serial=\"W\\\\3\"} " + std::to_string(value) + "\n") !=
                   std::string::npos &&
               text.find("korvane_disk_state{disk=\"HDD4\"") != std::string::npos;
    };
    const double start = test::NowMs();
    while ((test::NowMs() - start < kReadForMs || step < 4) &&
           test::NowMs() - start < kReadAtMostMs) {
        std::string text;
        DWORD error = 0;
        if (ReadAsScraper(metrics, text, error)) {
            ++reads;
            if (!Whole(text))
                torn.push_back(text);
            else
                versions.insert(text);
            if (step == 0 && state(text, 0)) {
                Heat(exe, 55);
                step = 1;
            } else if (step == 1 && state(text, 1)) {
                Heat(exe, 65);
                step = 2;
            } else if (step == 2 && state(text, 2)) {
                warm = text;
                step = 3;
            } else if (step == 3 && cancelled) {
                Heat(exe, 40);
                step = 4;
            }
        } else if (!versions.empty()) {
            // Never gone between two versions, as the rename replaces it; a scrape during the
            // rename itself may find it busy for that moment, as on Windows, and tries again.
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                ++missing;
            else
                ++busy;
        }
        if (!cancelled) {
            if (HWND countdown = CountdownOf(program.Id())) {
                test::ui::Click(test::ui::FindByText(countdown, "&Cancel", "Button"));
                cancelled = test::PumpUntil([&] { return !IsWindowVisible(countdown); }, 5000);
            }
        }
        test::PumpUntil([] { return false; }, 20);
    }
    ASSERT_TRUE(program.Exit());
    const double took = test::NowMs() - start;
    std::printf("[ figure ] %zu reads of the metrics file in %.0f s, %zu versions, %zu torn, %zu "
                "missing, %zu busy for a moment\n",
                reads, took / 1000, versions.size(), torn.size(), missing, busy);
    EXPECT_TRUE(torn.empty()) << torn.front();
    EXPECT_EQ(0u, missing);
    EXPECT_LE(busy, versions.size());
    // About one version a second, never more than the second allows.
    EXPECT_GE(versions.size(), static_cast<size_t>(took / 2000));
    EXPECT_LE(versions.size(), static_cast<size_t>(took / 1000) + 2);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(4, step);
    ASSERT_FALSE(warm.empty());
    test::WriteFileBytes(out + "\\warm.prom", warm);
    test::WriteFileBytes(out + "\\model.txt", kHostileModel);

    // The events, in the order they came.
    const std::vector<TracedEvent> events = ParseTrace(test::ReadFileBytes(trace));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(1000u, events.front().id);
    EXPECT_EQ(1001u, events.back().id);
    std::vector<const TracedEvent*> hot;
    for (const TracedEvent& e : events)
        if (!e.strings.empty() && e.strings[0] == "HDD4")
            hot.push_back(&e);
    std::vector<unsigned> ids;
    for (const TracedEvent* e : hot)
        ids.push_back(e->id);
    // Found, warning, critical, the countdown and its cancel, normal again.
    const std::vector<unsigned> story = {1100, 1201, 1202, 1300, 1301, 1200};
    ASSERT_GE(ids.size(), story.size());
    EXPECT_EQ(story, std::vector<unsigned>(ids.begin(), ids.begin() + story.size()));
    const unsigned levels[] = {EVENTLOG_INFORMATION_TYPE, EVENTLOG_WARNING_TYPE,
                               EVENTLOG_ERROR_TYPE,       EVENTLOG_WARNING_TYPE,
                               EVENTLOG_INFORMATION_TYPE, EVENTLOG_INFORMATION_TYPE};
    for (size_t i = 0; i < story.size() && i < hot.size(); ++i) {
        EXPECT_EQ(levels[i], hot[i]->type) << "event " << hot[i]->id;
        ASSERT_GE(hot[i]->strings.size(), 6u) << "event " << hot[i]->id;
        // The hostile model and the serial with its backslash are strings of their own.
        EXPECT_EQ(kHostileModel, hot[i]->strings[1]);
        EXPECT_EQ("W\\3", hot[i]->strings[2]);
    }
    EXPECT_EQ("critical", hot[2]->strings[4]);
    EXPECT_EQ("60", hot[2]->strings[5]);
    EXPECT_EQ("hibernate", hot[3]->strings.back());
    EXPECT_EQ("65", hot[2]->strings[3]);
    EXPECT_EQ("normal", hot[5]->strings[4]);
    EXPECT_EQ("40", hot[5]->strings[3]);
}

} // namespace
} // namespace korvane

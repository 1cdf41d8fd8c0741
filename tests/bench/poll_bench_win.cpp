// One poll of one disk end to end (simulated driver, real Korvn.ini, real temperature log, real
// tray icon), against its floor: the same device requests, the same number of settings reads
// through the profile functions, one log append, one tray-icon modify and one working-set trim,
// done directly. Both are timed in the same run, in alternating rounds.
//   poll_bench.exe poll FOLDER REPORT   the poll and its floor; FOLDER ends with a backslash
//   poll_bench.exe idle SECONDS         a Wine process that only waits, for the idle baseline
//   poll_bench.exe sleeps SECONDS       a Wine process that sleeps 10 ms at a time (sleep_for)
#include "drives/drive.h"
#include "drives/indicator_icons.h"
#include "drives/indicator_icons_win.h"
#include "drives/sim/sim_driver.h"
#include "log/logger.h"
#include "settings/folders.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "settings/profile_win.h"
#include "settings/registry.h"
#include "settings/registry_win.h"
#include "toolkit/app_window_win.h"
#include "toolkit/clock.h"
#include "toolkit/clock_win.h"
#include "toolkit/files.h"
#include "toolkit/files_win.h"
#include "toolkit/os_version.h"
#include "toolkit/os_version_win.h"
#include "toolkit/toolkit_win.h"
#include "toolkit/win32.h"

#include "counting_profile.h"
#include "recording_device.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace korvane {
namespace {

using test::CountingProfile;
using test::RecordingDevice;

constexpr int kRounds = 15;
constexpr int kPerRound = 40;

// The profile functions at every read, as before the port kept their answers.
class ApiProfile final : public ProfilePort {
  public:
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override {
        char buffer[1024] = {};
        const DWORD length = GetPrivateProfileStringA(
            section.c_str(), key.c_str(), fallback.c_str(), buffer, sizeof buffer, file.c_str());
        return std::string(buffer, length);
    }
    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                          file.c_str()) != FALSE;
    }
};

double Now() {
    static const double perSecond = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / perSecond;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The floor: what one poll must do, done directly, with everything prepared beforehand.
class Floor {
  public:
    Floor(DeviceIoPort& device, const RecordingDevice& recorded, const CountingProfile& reads,
          std::string logPath, HWND window)
        : device_(device), ops_(recorded.ops), reads_(reads.recorded),
          logPath_(std::move(logPath)) {
        std::memset(&tray_, 0, sizeof tray_);
        tray_.cbSize = NOTIFYICONDATAA_V1_SIZE;
        tray_.hWnd = window;
        tray_.uID = 0xF100;
        tray_.uFlags = NIF_ICON | NIF_TIP;
        tray_.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
        std::strcpy(tray_.szTip, "HDD 1: Bench Disk (80 GB)\rTemperature: 42\xB0"
                                 "C");
        Shell_NotifyIconA(NIM_ADD, &tray_);
        size_t largest = 0;
        for (const auto& op : ops_) {
            largest = std::max(largest, op.outputSize);
        }
        output_.resize(largest);
    }
    ~Floor() { Shell_NotifyIconA(NIM_DELETE, &tray_); }

    // Seconds spent in each part: device, settings reads, log append, tray modify, trim.
    double parts[5] = {};

    void Run() {
        double mark = Now();
        const auto lap = [this, &mark](int part) {
            const double now = Now();
            parts[part] += now - mark;
            mark = now;
        };
        std::map<DeviceHandle, DeviceHandle> handles;
        for (const auto& op : ops_) {
            switch (op.kind) {
            case RecordingDevice::Kind::Open:
                handles[op.handle] = device_.Open(op.name, op.access, op.sharing, op.creation);
                break;
            case RecordingDevice::Kind::Control:
                device_.Control(handles[op.handle], op.code, op.input,
                                std::span<uint8_t>(output_.data(), op.outputSize));
                break;
            case RecordingDevice::Kind::Power:
                device_.PowerState(handles[op.handle]);
                break;
            case RecordingDevice::Kind::Close:
                device_.Close(handles[op.handle]);
                break;
            }
        }
        lap(0);
        char value[1024];
        for (const auto& read : reads_) {
            GetPrivateProfileStringA(read.section.c_str(), read.key.c_str(), read.fallback.c_str(),
                                     value, sizeof value, read.file.c_str());
        }
        lap(1);
        HANDLE log = CreateFileA(logPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            static const char line[] = "[09/Dec/2026 03:30:00] Temperature = 42\xB0"
                                       "C (107\xB0"
                                       "F)\r\n";
            DWORD written = 0;
            WriteFile(log, line, sizeof line - 1, &written, nullptr);
            CloseHandle(log);
        }
        lap(2);
        Shell_NotifyIconA(NIM_MODIFY, &tray_);
        lap(3);
        SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1),
                                 static_cast<SIZE_T>(-1));
        lap(4);
    }

  private:
    DeviceIoPort& device_;
    std::vector<RecordingDevice::Op> ops_;
    std::vector<CountingProfile::Read> reads_;
    std::string logPath_;
    NOTIFYICONDATAA tray_;
    std::vector<uint8_t> output_;
};

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&msg);
    }
}

int RunPoll(const std::string& folder, const std::string& reportPath) {
    {
        std::ofstream ini(folder + "simulation.ini", std::ios::binary);
        ini << "[PhysicalDrive0]\r\nModel=Bench Disk\r\nSerial=B1\r\nSectors=156301488\r\n"
               "Temperature=42\r\n";
    }
    auto files = CreateWin32FileSystem();
    auto clock = CreateWin32Clock();
    auto realProfile = CreateWin32Profile();
    CountingProfile profile(*realProfile);
    auto registry = CreateWin32Registry();
    CreateLogsFolder(*files, folder);
    TOptions options(OptionsDeps{profile, *registry, *files, folder + "KorvaneMonitor.exe", folder},
                     folder + "Korvn.ini");
    TLogger logger(*files, *clock, options, folder);
    AppWindow window;
    long shellRequests = 0;
    window.SetShellNotifier([&shellRequests](DWORD message, NOTIFYICONDATAA& data) {
        ++shellRequests;
        return Shell_NotifyIconA(message, &data) != FALSE;
    });
    const std::unique_ptr<ToolkitPort> win32Toolkit = CreateWin32Toolkit(window);
    ToolkitPort& toolkit = *win32Toolkit;
    auto icons = CreateWin32IndicatorIcon();
    const std::unique_ptr<OsVersionPort> osPort = CreateWin32OsVersion();
    const OsVersionPort& os = *osPort;
    sim::SimulatedDriver driver(folder + "simulation.ini", os.Read());
    RecordingDevice device(driver);
    DriveDeps context{
        .options = options,
        .logger = logger,
        .toolkit = toolkit,
        .icons = *icons,
        .trimWorkingSet =
            [] {
                SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1),
                                         static_cast<SIZE_T>(-1));
            },
        .device = device,
        .osVersion = os,
        .createMenu = nullptr,
        .applyMenuCaptions = nullptr,
        .hideBalloon = nullptr,
    };
    TDrive drive(0, context);
    drive.Poll(); // registers the disk: its settings are written
    drive.Poll();
    if (!drive.IsIconShown()) {
        std::fprintf(stderr, "the disk's indicator is not shown\n");
        return 1;
    }
    // The program reads files that have not changed for a while; these were written just now.
    Sleep(2500);
    drive.Poll();

    profile.recording = true;
    device.recording = true;
    const long readsBefore = profile.reads;
    drive.Poll();
    profile.recording = false;
    device.recording = false;
    const long readsPerPoll = profile.reads - readsBefore;

    // The same disk again, its settings read through the profile functions at every read.
    ApiProfile apiProfile;
    TOptions apiOptions(
        OptionsDeps{apiProfile, *registry, *files, folder + "KorvaneMonitor.exe", folder},
        folder + "Korvn.ini");
    DriveDeps uncachedContext{
        .options = apiOptions,
        .logger = logger,
        .toolkit = toolkit,
        .icons = *icons,
        .trimWorkingSet = context.trimWorkingSet,
        .device = driver,
        .osVersion = os,
        .createMenu = nullptr,
        .applyMenuCaptions = nullptr,
        .hideBalloon = nullptr,
    };
    TDrive uncached(0, uncachedContext);
    uncached.Poll();

    Floor floor(driver, device, profile, folder + "logs\\floor.log", window.Handle());
    std::vector<double> polls, floors, uncachedPolls;
    long shellInPolls = 0;
    long pollCount = 0;
    for (int round = 0; round < kRounds; ++round) {
        const long shellBefore = shellRequests;
        double start = Now();
        for (int i = 0; i < kPerRound; ++i) {
            drive.Poll();
        }
        polls.push_back((Now() - start) / kPerRound);
        shellInPolls += shellRequests - shellBefore;
        pollCount += kPerRound;
        Pump();
        start = Now();
        for (int i = 0; i < kPerRound; ++i) {
            floor.Run();
        }
        floors.push_back((Now() - start) / kPerRound);
        Pump();
        start = Now();
        for (int i = 0; i < kPerRound; ++i) {
            uncached.Poll();
        }
        uncachedPolls.push_back((Now() - start) / kPerRound);
        Pump();
    }
    const int opens =
        static_cast<int>(std::count_if(device.ops.begin(), device.ops.end(), [](const auto& op) {
            return op.kind == RecordingDevice::Kind::Open;
        }));
    char report[1024];
    std::snprintf(report, sizeof report,
                  "poll_ms=%.3f\nfloor_ms=%.3f\nratio=%.2f\nsettings_reads_per_poll=%ld\n"
                  "device_requests_per_poll=%zu\ndevice_opens_per_poll=%d\n"
                  "shell_requests_per_poll=%.3f\nsim_loads=%d\nrounds=%d\npolls_per_round=%d\n",
                  Median(polls) * 1e3, Median(floors) * 1e3, Median(polls) / Median(floors),
                  readsPerPoll, device.ops.size(), opens,
                  static_cast<double>(shellInPolls) / static_cast<double>(pollCount),
                  driver.Loads(), kRounds, kPerRound);
    const double floors_ = static_cast<double>(kRounds) * kPerRound / 1e3;
    char parts[512];
    std::snprintf(parts, sizeof parts,
                  "floor_device_ms=%.3f\nfloor_reads_ms=%.3f\nfloor_log_ms=%.3f\n"
                  "floor_tray_ms=%.3f\nfloor_trim_ms=%.3f\npoll_reading_the_file_ms=%.3f\n",
                  floor.parts[0] / floors_, floor.parts[1] / floors_, floor.parts[2] / floors_,
                  floor.parts[3] / floors_, floor.parts[4] / floors_, Median(uncachedPolls) * 1e3);
    std::strcat(report, parts);
    std::ofstream(reportPath, std::ios::binary) << report;
    std::fputs(report, stdout);
    return 0;
}

} // namespace
} // namespace korvane

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "poll" && argc > 3) {
        return korvane::RunPoll(argv[2], argv[3]);
    }
    if (mode == "sleeps" && argc > 2) {
        // A thread that wakes every 10 ms, as the alarm worker's idle loop does, with the same
        // call.
        const DWORD end = GetTickCount() + static_cast<DWORD>(std::atoi(argv[2])) * 1000;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return 0;
    }
    if (mode == "idle" && argc > 2) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
        return 0;
    }
    std::fprintf(stderr,
                 "usage: poll_bench poll FOLDER\\ REPORT | idle SECONDS | sleeps SECONDS\n");
    return 2;
}

// The steady-state poll of one disk, natively: its time and the heap allocations it makes, told
// apart by where they happen (inside the settings reads, inside the simulated driver, the rest).
#include "drives/drive.h"
#include "drives/sim/sim_driver.h"
#include "log/logger.h"
#include "settings/options.h"

#include "fake_os_version.h"
#include "fake_profile.h"
#include "monitor_fakes.h"
#include "posix_files.h"
#include "test_env.h"
#include "toolkit_fakes.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <new>

// Every allocation of the program, counted. GCC takes the replaced operators' free for a mismatch
// with new; they pair with their own malloc.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<long> gAllocations{0};
}

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace korvane {
namespace {

long Allocations() {
    return gAllocations.load(std::memory_order_relaxed);
}

// Counts the reads and the allocations made inside them (the value handed back).
class MeasuredProfile final : public ProfilePort {
  public:
    explicit MeasuredProfile(ProfilePort& inner) : inner_(inner) {}
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override {
        ++reads;
        const long before = Allocations();
        std::string value = inner_.ReadText(file, section, key, fallback);
        inside += Allocations() - before;
        return value;
    }
    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
        return inner_.WriteText(file, section, key, value);
    }
    long reads = 0;
    long inside = 0;

  private:
    ProfilePort& inner_;
};

// The allocations made inside the simulated driver, which stands in for the system's.
class MeasuredDevice final : public DeviceIo {
  public:
    explicit MeasuredDevice(DeviceIo& inner) : inner_(inner) {}
    DeviceHandle Open(const std::string& name, uint32_t access, uint32_t sharing,
                      uint32_t creation) override {
        const long before = Allocations();
        const DeviceHandle handle = inner_.Open(name, access, sharing, creation);
        inside += Allocations() - before;
        return handle;
    }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override {
        const long before = Allocations();
        const bool ok = inner_.Control(handle, code, input, output);
        inside += Allocations() - before;
        return ok;
    }
    void Close(DeviceHandle handle) override {
        const long before = Allocations();
        inner_.Close(handle);
        inside += Allocations() - before;
    }
    DevicePower PowerState(DeviceHandle handle) override {
        const long before = Allocations();
        const DevicePower power = inner_.PowerState(handle);
        inside += Allocations() - before;
        return power;
    }
    long inside = 0;

  private:
    DeviceIo& inner_;
};

struct PollRig {
    PollRig()
        : dir(test::FreshTempDir("bench_poll")),
          options(
              TOptionsEnvironment{profile, registry, files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
              dir + "/Korvn.ini"),
          logsFolder(files.CreateFolder(dir + "/logs")), logger(files, clock, options, dir + "\\"),
          driver(dir + "/simulation.ini", sim::SimulatedDriver::Windows10()),
          device(driver), context{options, logger, toolkit, icons,   [] {},
                                  device,  os,     nullptr, nullptr, nullptr} {
        const std::string ini = dir + "/simulation.ini";
        test::WriteFileBytes(ini, "[PhysicalDrive0]\nModel=Bench Disk\nSerial=B1\n"
                                  "Sectors=156301488\nTemperature=42\n");
        // The program reads a file that has not changed for a while.
        std::filesystem::last_write_time(ini, std::filesystem::file_time_type::clock::now() -
                                                  std::chrono::hours(1));
    }
    std::string dir;
    test::FakeProfile backing;
    MeasuredProfile profile{backing};
    test::FakeRegistry registry;
    test::PosixFileSystem files;
    test::FixedClock clock{LocalTime{2026, 12, 9, 3, 30, 0, 0}};
    TOptions options;
    bool logsFolder;
    TLogger logger;
    test::FakeToolkit toolkit;
    test::FakeIndicatorIcons icons;
    sim::SimulatedDriver driver;
    MeasuredDevice device;
    test::FixedOsVersion os{kPlatformWin32Nt, 10, 0};
    TDriveContext context;
};

void BM_SteadyPoll(benchmark::State& state) {
    PollRig rig;
    TDrive drive(0, rig.context);
    drive.Poll(); // registers the disk
    drive.Poll();
    if (!drive.IsIconShown()) {
        state.SkipWithError("the disk's indicator is not shown");
        return;
    }
    const long allocations = Allocations();
    const long reads = rig.profile.reads;
    const long inReads = rig.profile.inside;
    const long inDriver = rig.device.inside;
    for (auto _ : state) {
        drive.Poll();
    }
    const auto polls = static_cast<double>(state.iterations());
    const double all = static_cast<double>(Allocations() - allocations) / polls;
    const double reading = static_cast<double>(rig.profile.inside - inReads) / polls;
    const double driving = static_cast<double>(rig.device.inside - inDriver) / polls;
    state.counters["allocs"] = all;
    state.counters["allocs_in_reads"] = reading;
    state.counters["allocs_in_sim"] = driving;
    state.counters["allocs_rest"] = all - reading - driving;
    state.counters["reads"] = static_cast<double>(rig.profile.reads - reads) / polls;
    state.counters["sim_loads"] = rig.driver.Loads();
}
BENCHMARK(BM_SteadyPoll);

// The poll's log append on its own: the part of the allocations that belongs to the logger.
void BM_TemperatureLogAppend(benchmark::State& state) {
    PollRig rig;
    const std::string file = "Bench Disk (78,1 GB).log";
    const std::string line = "Temperature = 42\xB0"
                             "C (107\xB0"
                             "F)";
    rig.logger.Log(kTemperatureLog, file, line, kNotice);
    const long allocations = Allocations();
    for (auto _ : state) {
        rig.logger.Log(kTemperatureLog, file, line, kNotice);
    }
    state.counters["allocs"] =
        static_cast<double>(Allocations() - allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TemperatureLogAppend);

} // namespace
} // namespace korvane

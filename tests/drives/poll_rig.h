// The steady poll of simulated disks with every heap allocation of the program counted and told
// apart by where it happens: inside the settings reads, inside the simulated driver, inside the
// file system (both stand-ins for the system's), and the rest, which is the poll's own.
//
// This header replaces the global operator new and delete: include it from exactly one file of a
// program, and only of a program of its own, so that no other test runs with the counting.
#pragma once

#include "drives/drive.h"
#include "drives/sim/sim_driver.h"
#include "log/logger.h"
#include "settings/options.h"

#include "counting_profile.h"
#include "fake_clock.h"
#include "fake_os_version.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "faulty_file_system.h"
#include "monitor_fakes.h"
#include "port_calls.h"
#include "posix_file_system.h"
#include "recording_device.h"
#include "test_env.h"
#include "toolkit_fakes.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

// GCC takes the replaced operators' free for a mismatch with new; they pair with their own malloc.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace korvane::test {
inline std::atomic<long> gAllocations{0};
} // namespace korvane::test

void* operator new(std::size_t size) {
    korvane::test::gAllocations.fetch_add(1, std::memory_order_relaxed);
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

namespace korvane::test {

inline long Allocations() {
    return gAllocations.load(std::memory_order_relaxed);
}

// Adds up the allocations made inside the port calls it is told of.
class AllocationsInside final : public PortCalls {
  public:
    void Enter() override { before_ = Allocations(); }
    void Leave() override { count += Allocations() - before_; }
    long count = 0;

  private:
    long before_ = 0;
};

// The program's pieces around the disks of `simulationIni`, in a fresh folder named `name`;
// simulation.ini has not changed for an hour, as in a running program.
struct PollRig {
    PollRig(const std::string& name, const std::string& simulationIni)
        : dir(FreshTempDir(name)),
          options(OptionsDeps{profile, registry, files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
                  dir + "/Korvn.ini"),
          logsFolder(files.CreateFolder(dir + "/logs")), logger(files, clock, options, dir + "\\"),
          driver(dir + "/simulation.ini", sim::SimulatedDriver::Windows10()),
          device(driver, &inDriver), context{options, logger, toolkit, icons,   [] {},
                                             device,  os,     nullptr, nullptr, nullptr} {
        const std::string ini = dir + "/simulation.ini";
        WriteFileBytes(ini, simulationIni);
        std::filesystem::last_write_time(ini, std::filesystem::file_time_type::clock::now() -
                                                  std::chrono::hours(1));
    }

    // The allocations so far, by where they were made.
    struct Split {
        long all = 0;
        long inReads = 0;
        long inDriver = 0;
        long inFiles = 0;
        long reads = 0;
        long appends = 0;
        long Rest() const { return all - inReads - inDriver - inFiles; }
        Split operator-(const Split& earlier) const {
            return {all - earlier.all,           inReads - earlier.inReads,
                    inDriver - earlier.inDriver, inFiles - earlier.inFiles,
                    reads - earlier.reads,       appends - earlier.appends};
        }
    };
    Split Now() const {
        return {Allocations(), inReads.count, inDriver.count,
                inFiles.count, profile.reads, measuredFiles.appends};
    }

    std::string dir;
    AllocationsInside inReads;
    AllocationsInside inDriver;
    AllocationsInside inFiles;
    FakeProfile backing;
    CountingProfile profile{backing, &inReads};
    FakeRegistry registry;
    PosixFileSystem posixFiles;
    FaultyFileSystem measuredFiles{posixFiles, 0, &inFiles};
    FileSystemPort& files = measuredFiles;
    FixedClock clock{LocalTime{2026, 12, 9, 3, 30, 0, 0}};
    TOptions options;
    bool logsFolder;
    TLogger logger;
    FakeIndicatorIcons icons; // outlives the tray icons, which give its icons back
    FakeToolkit toolkit;
    sim::SimulatedDriver driver;
    RecordingDevice device;
    FixedOsVersion os{kPlatformWin32Nt, 10, 0};
    DriveDeps context;
};

} // namespace korvane::test

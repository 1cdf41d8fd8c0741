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

#include "fake_os_version.h"
#include "fake_profile.h"
#include "monitor_fakes.h"
#include "posix_files.h"
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

// Adds the allocations made while it lives to `counter`.
class CountedScope {
  public:
    explicit CountedScope(long& counter) : counter_(counter), before_(Allocations()) {}
    ~CountedScope() { counter_ += Allocations() - before_; }
    CountedScope(const CountedScope&) = delete;
    CountedScope& operator=(const CountedScope&) = delete;

  private:
    long& counter_;
    long before_;
};

// Counts the reads and the allocations made inside them (the value handed back).
class MeasuredProfile final : public ProfilePort {
  public:
    explicit MeasuredProfile(ProfilePort& inner) : inner_(inner) {}
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override {
        ++reads;
        const CountedScope counted(inside);
        return inner_.ReadText(file, section, key, fallback);
    }
    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
        const CountedScope counted(inside);
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
        const CountedScope counted(inside);
        return inner_.Open(name, access, sharing, creation);
    }
    bool Control(DeviceHandle handle, uint32_t code, std::span<const uint8_t> input,
                 std::span<uint8_t> output) override {
        const CountedScope counted(inside);
        return inner_.Control(handle, code, input, output);
    }
    void Close(DeviceHandle handle) override {
        const CountedScope counted(inside);
        inner_.Close(handle);
    }
    DevicePower PowerState(DeviceHandle handle) override {
        const CountedScope counted(inside);
        return inner_.PowerState(handle);
    }
    long inside = 0;

  private:
    DeviceIo& inner_;
};

// The allocations made inside the file system, here the standard library's streams standing in
// for the system's files; also counts the appended lines.
class MeasuredFiles final : public FileSystem {
  public:
    explicit MeasuredFiles(FileSystem& inner) : inner_(inner) {}
    bool FileExists(const std::string& path) override {
        const CountedScope counted(inside);
        return inner_.FileExists(path);
    }
    bool FolderExists(const std::string& path) override {
        const CountedScope counted(inside);
        return inner_.FolderExists(path);
    }
    bool CreateFolder(const std::string& path) override {
        const CountedScope counted(inside);
        return inner_.CreateFolder(path);
    }
    std::vector<std::string> FindFiles(const std::string& mask) override {
        const CountedScope counted(inside);
        return inner_.FindFiles(mask);
    }
    bool AppendLine(const std::string& path, const std::string& text) override {
        ++appends;
        const CountedScope counted(inside);
        return inner_.AppendLine(path, text);
    }
    std::unique_ptr<FileReader> OpenRead(const std::string& path) override {
        const CountedScope counted(inside);
        return inner_.OpenRead(path);
    }
    std::unique_ptr<FileWriter> CreateWrite(const std::string& path) override {
        const CountedScope counted(inside);
        return inner_.CreateWrite(path);
    }
    bool ReplaceAtomically(const std::string& from, const std::string& to) override {
        const CountedScope counted(inside);
        return inner_.ReplaceAtomically(from, to);
    }
    bool RemoveFile(const std::string& path) override {
        const CountedScope counted(inside);
        return inner_.RemoveFile(path);
    }
    long appends = 0;
    long inside = 0;

  private:
    FileSystem& inner_;
};

// The program's pieces around the disks of `simulationIni`, in a fresh folder named `name`;
// simulation.ini has not changed for an hour, as in a running program.
struct PollRig {
    PollRig(const std::string& name, const std::string& simulationIni)
        : dir(FreshTempDir(name)),
          options(
              TOptionsEnvironment{profile, registry, files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
              dir + "/Korvn.ini"),
          logsFolder(files.CreateFolder(dir + "/logs")), logger(files, clock, options, dir + "\\"),
          driver(dir + "/simulation.ini", sim::SimulatedDriver::Windows10()),
          device(driver), context{options, logger, toolkit, icons,   [] {},
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
        return {Allocations(),        profile.inside, device.inside,
                measuredFiles.inside, profile.reads,  measuredFiles.appends};
    }

    std::string dir;
    FakeProfile backing;
    MeasuredProfile profile{backing};
    FakeRegistry registry;
    PosixFileSystem posixFiles;
    MeasuredFiles measuredFiles{posixFiles};
    FileSystem& files = measuredFiles;
    FixedClock clock{LocalTime{2026, 12, 9, 3, 30, 0, 0}};
    TOptions options;
    bool logsFolder;
    TLogger logger;
    FakeIndicatorIcons icons; // outlives the tray icons, which give its icons back
    FakeToolkit toolkit;
    sim::SimulatedDriver driver;
    MeasuredDevice device;
    FixedOsVersion os{kPlatformWin32Nt, 10, 0};
    TDriveContext context;
};

} // namespace korvane::test

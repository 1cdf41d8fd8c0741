// A native test bench for the drive monitor: settings in memory, real log files in a temp folder,
// the simulated driver over a simulation.ini there, and recording toolkit doubles.
#pragma once

#include "drives/drive.h"
#include "drives/sim/sim_driver.h"
#include "log/logger.h"
#include "settings/options.h"

#include "fake_clock.h"
#include "fake_os_version.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "monitor_fakes.h"
#include "posix_file_system.h"
#include "toolkit_fakes.h"

#include <memory>
#include <string>
#include <vector>

namespace korvane::test {

class MonitorRig {
  public:
    // A fresh folder `name` under the test-tmp folder; first-run settings; no disk simulated.
    explicit MonitorRig(const std::string& name);

    // Rewrites simulation.ini (read again at every open of a device).
    void Simulate(const std::string& iniText);
    // One "[PhysicalDriveN]" section with a synthesized disk.
    static std::string Disk(int number, const std::string& model, int temperature,
                            uint32_t sectors = 160000000, const std::string& extra = "");

    TOptionsSection& Common() { return options->GetDriveSection("COMMON"); }
    TOptionsSection& Own(const std::string& model) { return options->GetDriveSection(model); }

    // The messages of the debug log's lines (time stamp and level cut off).
    std::vector<std::string> DebugMessages() const;
    // A temperature log's messages.
    std::vector<std::string> TemperatureMessages(const std::string& fileName) const;

    std::string dir;
    FakeProfile profile;
    FakeRegistry registry;
    PosixFileSystem files;
    FixedClock clock{LocalTime{2026, 12, 6, 9, 5, 7, 0}};
    std::unique_ptr<TOptions> options;
    bool logsFolder; // created before the logger, which expects it
    std::unique_ptr<TLogger> logger;
    FakeIndicatorIcons icons; // outlives the tray icons, which give its icons back
    FakeToolkit toolkit;
    FakeAppServices app;
    std::unique_ptr<sim::SimulatedDriver> driver;
    FixedOsVersion os{kPlatformWin32Nt, 5, 1};
    std::vector<std::string> captioned;   // first item of every menu that got its captions
    std::vector<uint32_t> hiddenBalloons; // tray icon ids
    DriveDeps context;
};

} // namespace korvane::test

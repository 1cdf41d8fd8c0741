// A fresh temp folder as the program's data folder under Wine: the real Korvn.ini through the
// Win32 profile functions and file system, the system clock, and the registry in memory (the
// autostart value is not these tests' business). Test fixtures derive from it to use its members
// as their own.
#pragma once

#include "log/logger.h"
#include "settings/options.h"
#include "settings/profile.h"
#include "toolkit/clock.h"
#include "toolkit/files.h"

#include "fake_registry.h"
#include "settings/profile_win.h"
#include "toolkit/clock_win.h"
#include "toolkit/files_win.h"

#include <memory>
#include <string>

namespace korvane::test {

struct DataFolder {
    // The folder `name` under the test-tmp folder, emptied; first-run settings in Korvn.ini there
    // for a program in C:\K\.
    explicit DataFolder(const std::string& name);
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    std::string dir; // without a trailing backslash
    std::unique_ptr<ProfilePort> profile = CreateWin32Profile();
    std::unique_ptr<FileSystemPort> files = CreateWin32FileSystem();
    std::unique_ptr<ClockPort> clock = CreateWin32Clock();
    FakeRegistry registry;
    TOptions options;
};

// The same with its logs folder and the logger writing debug.log and the temperature logs.
struct LoggedDataFolder : DataFolder {
    explicit LoggedDataFolder(const std::string& name);

    std::unique_ptr<TLogger> logger;
};

} // namespace korvane::test

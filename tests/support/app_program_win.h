// Running the built KorvaneMonitor programs from tests under Wine: their data folder, copies of
// them in temp folders, processes, and their windows.
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include "process_win.h"

#include <string>
#include <vector>

namespace korvane::test {

// The program's data-files folder of this user (with its trailing backslash).
std::string ProgramDataFolder();
// Removes the data-files folder with everything in it.
void RemoveProgramDataFolder();

// Empties the data-files folder when made and when destroyed: each test starts with none.
struct CleanDataFolder {
    CleanDataFolder() { RemoveProgramDataFolder(); }
    ~CleanDataFolder() { RemoveProgramDataFolder(); }
    CleanDataFolder(const CleanDataFolder&) = delete;
    CleanDataFolder& operator=(const CleanDataFolder&) = delete;
};

// A built program: KORVANE_BUILD_DIR + "\" + dir + "\KorvaneMonitor.exe" (empty without it).
std::string BuiltProgram(const std::string& dir);

// The sim build copied into a fresh temp folder `name`, with simulation.ini beside it; the copy's
// path (empty when it cannot be copied).
std::string SimProgramIn(const std::string& name, const std::string& simulation);

// The release build's KorvaneMonitor.exe loaded as a data file, for the icons and pictures its
// windows load (null without the build folder).
struct ProgramResources {
    ProgramResources();
    HMODULE Get() const { return module_.Get(); }

  private:
    ScopedModule module_;
};

// The application window of the given process, or null.
HWND MainWindowOf(DWORD pid);

// The visible top-level dialog (#32770) with this caption that the process shows, or null.
HWND DialogOf(DWORD pid, const std::string& caption);

// The program's debug-log marks around its start-up and shut-down.
inline constexpr const char* kStartInitialization =
    "-- START INITIALIZATION -----------------------------------------";
inline constexpr const char* kInitializationFinished =
    "-- INITIALIZATION FINISHED --------------------------------------";
inline constexpr const char* kStartFinalization =
    "-- START FINALIZATION -------------------------------------------";
inline constexpr const char* kFinalizationFinished =
    "-- FINALIZATION FINISHED ----------------------------------------";

// The messages of the program's debug log in the data folder, in order.
std::vector<std::string> DebugMessages();
// Whether the debug log holds a line with exactly this message.
bool DebugLogHas(const std::string& message);

} // namespace korvane::test

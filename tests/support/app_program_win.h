// Running the built KorvaneMonitor programs from tests under Wine: their data folder, copies of
// them in temp folders, the started program, and its windows.
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/tray_icon.h"
#include "toolkit/win32.h"

#include "process_win.h"

#include <string>
#include <vector>

namespace korvane::test {

// Generous: a loaded machine starting Wine beside other tests needs far more than the usual 2 s.
inline constexpr DWORD kProgramStartTimeoutMs = 60000;

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

// The application manifest (resource 1 of type 24) of a program loaded as a data file.
std::string ManifestOf(HMODULE module);
// The systems both programs' manifests name, Vista to 10 and 11: without them newer systems
// report 6.2, and the bug report would name the wrong one.
inline constexpr const char* kSupportedOsIds[] = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};

// The application window of the given process, or null.
HWND MainWindowOf(DWORD pid);

// The visible top-level dialog (#32770) with this caption that the process shows, or null.
HWND DialogOf(DWORD pid, const std::string& caption);
// The visible top-level window of this class and caption that the process shows, or null.
HWND VisibleWindowOf(DWORD pid, const char* windowClass, const char* caption);

// Pops the menu of the program's tray icon `icon` up the way a right click does and chooses an
// entry with the keys; false when no menu showed in time.
bool ChooseFromTrayMenu(HWND window, UINT icon, const std::vector<UINT>& keys,
                        DWORD timeoutMs = 10000);

// A KorvaneMonitor started as a user starts it, until it ends: its start-up waited for, its
// application window, and its way out through that window (killed if it is still running when the
// object goes).
struct RunningProgram {
    RunningProgram() = default;
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // Starts `exe` from its own folder and waits until the start-up finished or the program showed
    // its "Korvane" box instead (`box`); false, with the reason in `failure`, when it did not start
    // or neither came in time.
    bool Start(const std::string& exe, DWORD timeoutMs = kProgramStartTimeoutMs);
    // Ends it as the tray menu's Exit does, by closing its application window, and waits for the
    // end; false when it has no window or did not end in time.
    bool Exit(DWORD timeoutMs = 10000);
    DWORD Id() const { return process.Id(); }
    // The identity of the program's tray icon `id` (1 is the main icon).
    TrayIconIdentity Icon(uint32_t id) const {
        return TrayIconIdentity{reinterpret_cast<uintptr_t>(window), id};
    }

    Process process;
    HWND window = nullptr;
    HWND box = nullptr;
    std::string failure;
};

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

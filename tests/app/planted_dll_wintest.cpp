// DLLs planted beside the programs (and in their current folder) are never loaded: the system's
// copies of powrprof, winmm and MAPI32 serve, while a bare load by name takes the planted ones.
// Wine prefers its own DLLs; a per-program DLL override (what WINEDLLOVERRIDES sets for a whole
// session) makes it look for files first, as Windows does.
#include "app_program_win.h"
#include "file_names_win.h"
#include "registry_win.h"
#include "settings/location/data_folder.h"
#include "settings/registry.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>

namespace korvane {
namespace {

constexpr const char* kPlantedNames[] = {"powrprof.dll", "winmm.dll", "mapi32.dll"};
constexpr const char* kProgramNames[] = {"probe.exe", "KorvaneMonitor.exe", "Postwright.exe"};
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\";
constexpr const char* kClientsMail = "Software\\Clients\\Mail";
constexpr const char* kClientName = "KorvaneCapture";
constexpr const char* kMessagingSubsystem = "SOFTWARE\\Microsoft\\Windows Messaging Subsystem";
constexpr DWORD kRunTimeoutMs = 30000;

std::string BuildPath(const std::string& relative) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    std::string path = std::string(build ? build : ".") + "\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

using test::DeleteRegistryValue;
using test::SetRegistryString;

class PlantedLibraries : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : kPlantedNames) {
            ASSERT_TRUE(CopyFileA(BuildPath(std::string(KORVANE_PLANTED_DIR) + "/" + name).c_str(),
                                  test::JoinPath(folder, name).c_str(), FALSE))
                << name;
        }
        // Read by each program's loader when it starts; the environment of a process started
        // from a Windows program does not carry WINEDLLOVERRIDES to Wine's loader.
        for (const char* program : kProgramNames) {
            const std::string key = std::string(kAppDefaults) + program + "\\DllOverrides";
            for (const char* dll : {"powrprof", "mapi32", "winmm"})
                ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, key, dll, "native,builtin"));
        }
        ASSERT_TRUE(SetEnvironmentVariableA("KORVANE_PLANT_MARKERS", markers.c_str()));
    }

    void TearDown() override {
        for (const char* program : kProgramNames) {
            const std::string key = std::string(kAppDefaults) + program;
            RegDeleteKeyA(HKEY_CURRENT_USER, (key + "\\DllOverrides").c_str());
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
        }
        SetEnvironmentVariableA("KORVANE_PLANT_MARKERS", nullptr);
    }

    // Copies a built program into the planted folder; its path there.
    std::string Beside(const std::string& built, const std::string& name) {
        const std::string copy = test::JoinPath(folder, name);
        EXPECT_TRUE(CopyFileA(built.c_str(), copy.c_str(), FALSE)) << built;
        return copy;
    }

    // Runs a program from the planted folder to its end; its exit code.
    DWORD Run(const std::string& exe, const std::string& args) {
        const std::string commandLine = "\"" + exe + "\" " + args;
        test::Process process;
        if (!process.StartCommand(commandLine, folder)) {
            ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
            return ~0u;
        }
        if (process.WaitExit(kRunTimeoutMs))
            return process.ExitCode();
        process.Kill(99);
        ADD_FAILURE() << commandLine << " did not end within " << kRunTimeoutMs << " ms";
        return ~0u;
    }

    void ClearMarkers() const {
        for (const std::string& name : Loaded())
            DeleteFileA(test::JoinPath(markers, name + ".loaded").c_str());
    }

    // The planted DLLs that have been loaded, by their names.
    std::set<std::string> Loaded() const {
        std::set<std::string> names;
        for (const std::string& name : test::FileNames(test::JoinPath(markers, "*.loaded")))
            names.insert(name.substr(0, name.size() - 7));
        return names;
    }

    std::string folder = test::FreshTempDir("planted");
    std::string markers = test::FreshTempDir("planted_markers");
};

TEST_F(PlantedLibraries, ABareLoadByNameTakesThePlantedCopies) {
    // The counter-test: without the programs' care the planted copies would run. Under each
    // program's name, so the override is known to be in force for the programs below.
    for (const char* name : kProgramNames) {
        SCOPED_TRACE(name);
        const std::string probe = Beside(BuildPath(KORVANE_PLANTED_PROBE_EXE), name);
        EXPECT_EQ(3u, Run(probe, ""));
        EXPECT_EQ((std::set<std::string>{"powrprof.dll", "winmm.dll", "mapi32.dll"}), Loaded());
        ClearMarkers();
    }
}

TEST_F(PlantedLibraries, KorvaneMonitorUsesTheSystemsCopies) {
    test::CleanDataFolder clean;
    const std::string exe = Beside(test::BuiltProgram("sim"), "KorvaneMonitor.exe");
    test::WriteFileBytes(test::JoinPath(folder, "simulation.ini"),
                         "[PhysicalDrive0]\r\nModel=PLAIN DISK\r\nTemperature=35\r\n");
    const std::string log = test::ProgramDataFolder() + kDebugLogName;
    const auto logHas = [&](const std::string& message) {
        for (const std::string& line : test::ReadLines(log)) {
            if (test::DebugMessage(line) == message)
                return true;
        }
        return false;
    };
    {
        test::Process program; // started from its own folder, the planted one
        ASSERT_TRUE(program.Start(exe));
        ASSERT_TRUE(test::PumpUntil(
            [&] {
                return logHas("-- INITIALIZATION FINISHED --------------------------------------");
            },
            60000)); // as long as the other program tests allow
        // The system's powrprof has SetSuspendState; the planted one exports nothing.
        EXPECT_TRUE(logHas("shutdown/hibernate engine initiated (hibernate enabled)"));
        EXPECT_EQ(std::set<std::string>{}, Loaded());
    }
    // The first run switched autostart on; a later Wine start must not run this copy.
    DeleteRegistryValue(HKEY_CURRENT_USER, kAutostartKeyPath, kAutostartValueName);
}

TEST_F(PlantedLibraries, PostwrightHandsItsMailToTheSystemsMapi) {
    const std::string capture = test::JoinPath(markers, "capture.txt");
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kClientsMail, nullptr, kClientName));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE,
                                  std::string(kClientsMail) + "\\" + kClientName, "DLLPath",
                                  BuildPath(KORVANE_MAPI_CAPTURE_DLL)));
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, kMessagingSubsystem, "MAPI", "1"));
    ASSERT_TRUE(SetEnvironmentVariableA("KORVANE_MAPI_CAPTURE", capture.c_str()));
    const std::string exe = Beside(BuildPath(KORVANE_POSTWRIGHT_EXE), "Postwright.exe");
    EXPECT_EQ(0u, Run(exe, "CNT"));
    // The mail reached the registered client through the system's MAPI32.
    EXPECT_NE(std::string::npos, test::ReadFileBytes(capture).find("support@korvane.example"));
    EXPECT_EQ(std::set<std::string>{}, Loaded());
    SetEnvironmentVariableA("KORVANE_MAPI_CAPTURE", nullptr);
    DeleteRegistryValue(HKEY_LOCAL_MACHINE, kClientsMail, nullptr);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kClientsMail) + "\\" + kClientName).c_str());
}

} // namespace
} // namespace korvane

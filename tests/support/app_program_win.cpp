// Running the built KorvaneMonitor programs from tests under Wine.
#include "app_program_win.h"

#include "settings/location/data_folder.h"
#include "settings/location/shell_folder_win.h"
#include "test_env.h"
#include "text_lines.h"
#include "toolkit/app_window_win.h"
#include "toolkit_wait_win.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace korvane::test {

std::string ProgramDataFolder() {
    return DataFilesFolder(*CreateWin32SpecialFolder());
}

void RemoveProgramDataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(ProgramDataFolder()), ignored);
}

std::string BuiltProgram(const std::string& dir) {
    const char* build = std::getenv("KORVANE_BUILD_DIR");
    if (!build)
        return {};
    return JoinPath(JoinPath(build, dir), "KorvaneMonitor.exe");
}

std::string SimProgramIn(const std::string& name, const std::string& simulation) {
    const std::string folder = FreshTempDir(name);
    const std::string exe = JoinPath(folder, "KorvaneMonitor.exe");
    if (!CopyFileA(BuiltProgram("sim").c_str(), exe.c_str(), FALSE))
        return {};
    WriteFileBytes(JoinPath(folder, "simulation.ini"), simulation);
    return exe;
}

ProgramResources::ProgramResources() {
    const std::string exe = BuiltProgram("release");
    if (!exe.empty())
        module_.Reset(LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

std::string ManifestOf(HMODULE module) {
    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    if (!manifest)
        return {};
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
    return text ? std::string(text, SizeofResource(module, manifest)) : std::string();
}

namespace {

HWND TopWindowOf(DWORD pid, const char* windowClass, const char* caption, bool visibleOnly) {
    HWND found = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, windowClass, caption); w;
         w = FindWindowExA(nullptr, w, windowClass, caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && (!visibleOnly || IsWindowVisible(w)))
            found = w;
    }
    return found;
}

} // namespace

HWND MainWindowOf(DWORD pid) {
    return TopWindowOf(pid, "KorvaneMonitor_Main", nullptr, false);
}

HWND DialogOf(DWORD pid, const std::string& caption) {
    return TopWindowOf(pid, "#32770", caption.c_str(), true);
}

HWND VisibleWindowOf(DWORD pid, const char* windowClass, const char* caption) {
    return TopWindowOf(pid, windowClass, caption, true);
}

bool ChooseFromTrayMenu(HWND window, UINT icon, const std::vector<UINT>& keys, DWORD timeoutMs) {
    PostMessageA(window, kTrayCallbackMessage, icon, WM_RBUTTONUP);
    HWND menu = nullptr;
    if (!PumpUntil([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); },
                   timeoutMs))
        return false;
    for (UINT key : keys)
        PostMessageA(menu, WM_KEYDOWN, key, 0);
    return true;
}

RunningProgram::~RunningProgram() {
    if (window != nullptr && process.Running())
        Exit();
}

bool RunningProgram::Start(const std::string& exe, DWORD timeoutMs) {
    if (exe.empty() || !process.Start(exe)) {
        failure = "cannot start " + exe;
        return false;
    }
    const DWORD pid = process.Id();
    if (!PumpUntil(
            [&] {
                box = DialogOf(pid, "Korvane");
                return box != nullptr || DebugLogHas(kInitializationFinished);
            },
            timeoutMs)) {
        failure = "start-up did not finish";
        return false;
    }
    window = MainWindowOf(pid);
    return true;
}

bool RunningProgram::Exit(DWORD timeoutMs) {
    if (window == nullptr) {
        failure = "no main window";
        return false;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!process.WaitExit(timeoutMs)) {
        failure = "did not end";
        return false;
    }
    window = nullptr;
    return true;
}

std::vector<std::string> DebugMessages() {
    std::vector<std::string> messages;
    for (const std::string& line : ReadLines(ProgramDataFolder() + kDebugLogName))
        messages.push_back(DebugMessage(line));
    return messages;
}

bool DebugLogHas(const std::string& message) {
    const std::vector<std::string> messages = DebugMessages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

} // namespace korvane::test

// Running the built KorvaneMonitor programs from tests under Wine.
#include "app_program_win.h"

#include "settings/location/data_folder.h"
#include "settings/location/shell_folder_win.h"
#include "test_env.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace korvane::test {

std::string ProgramDataFolder() {
    return DataFilesFolder(*CreateShellSpecialFolders());
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

Process::~Process() {
    if (!started)
        return;
    if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

bool Process::Start(const std::string& exe) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    std::string command = "\"" + exe + "\"";
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &si, &info) != FALSE;
    return started;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info.hProcess, &code);
    return code;
}

bool Process::WaitExit(DWORD timeoutMs) const {
    return WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
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

std::vector<std::string> ReadLines(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string DebugMessage(const std::string& line) {
    // "[" stamp "] " + "[notice] " padded to 9 + " " + message
    const size_t stamp = line.find("] ");
    if (stamp == std::string::npos || line.size() < stamp + 2 + 10)
        return {};
    return line.substr(stamp + 2 + 10);
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

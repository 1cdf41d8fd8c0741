// Programs that tests start under Wine.
#include "process_win.h"

namespace korvane::test {

Process::~Process() {
    if (Running())
        Kill(1);
}

bool Process::Create(const char* exe, std::string commandLine, const char* folder, DWORD flags) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, folder,
                        &si, &info))
        return false;
    process_.Reset(info.hProcess);
    thread_.Reset(info.hThread);
    id_ = info.dwProcessId;
    return true;
}

bool Process::Start(const std::string& exe) {
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    return Create(exe.c_str(), "\"" + exe + "\"", folder.c_str(), 0);
}

bool Process::StartCommand(const std::string& commandLine, const std::string& folder, DWORD flags) {
    return Create(nullptr, commandLine, folder.empty() ? nullptr : folder.c_str(), flags);
}

bool Process::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool Process::WaitExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

void Process::Kill(UINT code, DWORD timeoutMs) {
    TerminateProcess(process_.Get(), code);
    WaitForSingleObject(process_.Get(), timeoutMs);
}

} // namespace korvane::test

// One running copy per user session, through a named mutex.
#include "app/single_instance_win.h"

#include "toolkit/win32.h"

namespace korvane {
namespace {

// The process-lifetime mutex; deliberately never closed, the system does that at process end.
HANDLE& RunningMutex() {
    static HANDLE mutex = nullptr;
    return mutex;
}

} // namespace

bool EnsureSingleInstance(const char* name) {
    SetLastError(0);
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    const DWORD error = GetLastError();
    RunningMutex() = mutex;
    return error != 0 || mutex == nullptr;
}

void ReleaseSingleInstance() {
    if (RunningMutex())
        ReleaseMutex(RunningMutex());
}

} // namespace korvane

// One running copy per user session, through a named mutex.
#pragma once

namespace korvane {

inline constexpr const char* kRunningMutexName = "KorvaneMonitor.RunningMutex";

// Creates the named mutex with initial ownership and keeps it for the life of the process. True
// when another copy runs: any error reported right after the creation counts as that.
bool EnsureSingleInstance(const char* name);
// Releases the mutex at process end; the handle itself is left to the system.
void ReleaseSingleInstance();

} // namespace korvane

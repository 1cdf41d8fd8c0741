// One running copy per user session, through a named mutex.
#include "app/single_instance_win.h"

namespace korvane {

SingleInstanceClaim ClaimSingleInstance(const char* name) {
    SetLastError(0);
    ScopedKernelHandle mutex(CreateMutexA(nullptr, TRUE, name));
    // An existing mutex is opened, not owned: that handle is only closed again.
    if (GetLastError() != 0 || !mutex)
        return SingleInstanceClaim(ScopedOwnedMutex());
    return SingleInstanceClaim(ScopedOwnedMutex(mutex.Release()));
}

} // namespace korvane

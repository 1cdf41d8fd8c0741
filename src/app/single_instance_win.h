// One running copy per user session, through a named mutex.
#pragma once

#include "toolkit/handles_win.h"
#include "toolkit/product.h"

namespace korvane {

// The claim of the first copy: it owns the named mutex until the claim goes, which the program
// lets happen only at its end. A copy that finds the mutex taken holds nothing.
class SingleInstanceClaim {
  public:
    explicit SingleInstanceClaim(ScopedOwnedMutex mutex) : mutex_(std::move(mutex)) {}

    bool IsFirst() const { return mutex_.Valid(); }

  private:
    ScopedOwnedMutex mutex_;
};

// Creates the named mutex with initial ownership. Any error reported right after the creation
// counts as another copy running, and so does a failed creation.
SingleInstanceClaim ClaimSingleInstance(const char* name);

} // namespace korvane

// An icon handle as the portable logic sees it: an opaque number owned by the platform layer, and
// the owner that frees it through whoever made it.
#pragma once

#include "toolkit/scoped_handle.h"

#include <cstdint>

namespace korvane {

// The Win32 layer converts it to and from HICON; zero means no icon.
enum class IconHandle : uintptr_t {};

inline constexpr IconHandle kNoIcon{};

// Whoever makes icons destroys them: the system's icon calls, or a test double that counts.
class IconDestroyerPort {
  public:
    virtual ~IconDestroyerPort() = default;
    virtual void DestroyIcon(IconHandle icon) = 0;
};

struct OwnedIconTraits : NullIsNoHandle<IconHandle> {
    IconDestroyerPort* destroyer = nullptr;
    bool Close(Handle h) const {
        destroyer->DestroyIcon(h);
        return true;
    }
};

// An icon with its owner; moved into a tray icon, which destroys it when it is replaced or freed.
using OwnedIcon = ScopedHandle<OwnedIconTraits>;

} // namespace korvane

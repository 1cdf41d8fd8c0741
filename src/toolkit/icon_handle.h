// An icon handle as the portable logic sees it: an opaque number owned by the platform layer.
#pragma once

#include <cstdint>

namespace korvane {

// The Win32 layer converts it to and from HICON; zero means no icon.
enum class IconHandle : uintptr_t {};

inline constexpr IconHandle kNoIcon{};

} // namespace korvane

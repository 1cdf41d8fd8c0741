// The one way the platform layer includes <windows.h>: the build sets WIN32_LEAN_AND_MEAN,
// NOMINMAX and the target version once (cmake/Korvane.cmake); logic headers never include this.
#pragma once

#ifndef _WIN32
#error "win32.h belongs to the Windows platform layer only"
#endif

#include <windows.h>

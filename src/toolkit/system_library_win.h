// Run-time libraries from the system folder only, never from the program's or the current folder.
#pragma once

#include "toolkit/win32.h"

namespace korvane {

// Loads the system library `fileName` ("powrprof.dll") from the system folder; its own
// dependencies come from there too. A copy planted beside the program or in the current folder is
// never used. nullptr when the library cannot be loaded.
HMODULE LoadSystemLibrary(const char* fileName);

// Limits every later library search of the process to the system folder, where the system
// offers it (SetDefaultDllDirectories: Windows 8, Windows 7 and Vista with KB2533623). True when
// the limit is in force.
bool RestrictLibrarySearchToSystemFolder();

} // namespace korvane

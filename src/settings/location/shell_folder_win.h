// The shell's special folders: the factory of the Win32 implementation (shell_folder_win.cpp),
// apart from the portable port the native build compiles too.
#pragma once

#include "settings/location/data_folder.h"

#include <memory>

namespace korvane {

// SHGetSpecialFolderLocation and SHGetPathFromIDListA.
std::unique_ptr<SpecialFolderPort> CreateWin32SpecialFolder();

} // namespace korvane

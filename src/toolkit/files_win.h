// The Win32 file system: the factory of the Win32 implementation (files_win.cpp), apart from the
// portable port the native build compiles too.
#pragma once

#include "toolkit/files.h"

#include <memory>

namespace korvane {

// The Win32 file system (CreateFileA, FindFirstFileA, MoveFileExA...).
std::unique_ptr<FileSystemPort> CreateWin32FileSystem();

} // namespace korvane

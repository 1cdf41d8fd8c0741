// Loading libraries from the system folder, with the search flags where the system has them and
// the full path where it has not.
#include "toolkit/system_library_win.h"

#include <string>

namespace korvane {
namespace {

using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

// The loader understands the LOAD_LIBRARY_SEARCH_* flags exactly when kernel32 exports
// AddDllDirectory; older systems reject the flags with ERROR_INVALID_PARAMETER.
bool HasSearchFlags() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel && GetProcAddress(kernel, "AddDllDirectory") != nullptr;
}

} // namespace

HMODULE LoadSystemLibrary(const char* fileName) {
    if (HasSearchFlags())
        return LoadLibraryExA(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    // With a full path and this flag the library's dependencies are looked up in its own folder
    // first, not in the program's.
    const std::string path = std::string(folder, length) + "\\" + fileName;
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool RestrictLibrarySearchToSystemFolder() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel)
        return false;
    // Looked up, not imported: a static import would keep the program from starting on
    // systems without the function.
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    return restrict&& restrict(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

} // namespace korvane

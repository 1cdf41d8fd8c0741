// A stand-in for a DLL planted beside a program: built as powrprof.dll, winmm.dll and mapi32.dll,
// it leaves "<its name>.loaded" in the folder named by KORVANE_PLANT_MARKERS when it is loaded.
// It exports nothing, so a program that took it for the real one would miss its functions.
#include "toolkit/win32.h"

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char folder[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("KORVANE_PLANT_MARKERS", folder, sizeof folder);
    char path[MAX_PATH] = {};
    if (length == 0 || length >= sizeof folder || GetModuleFileNameA(self, path, sizeof path) == 0)
        return TRUE;
    std::string name(path);
    name = name.substr(name.find_last_of('\\') + 1);
    const std::string marker = std::string(folder) + "\\" + name + ".loaded";
    const HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, path, static_cast<DWORD>(std::string(path).size()), &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}

// The soak's external program: leaves one line in "actions.log" beside itself per start, so that
// the soak can count the launches it caused.
#include "toolkit/win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    char* slash = path;
    for (char* p = path; *p; ++p)
        if (*p == '\\')
            slash = p + 1;
    lstrcpyA(slash, "actions.log");
    // The soak may be reading the file at that moment: try again for a while.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            const BOOL ok = WriteFile(file, "ran\r\n", 5, &written, nullptr);
            CloseHandle(file);
            return ok && written == 5 ? 0 : 1;
        }
        Sleep(10);
    }
    return 1;
}

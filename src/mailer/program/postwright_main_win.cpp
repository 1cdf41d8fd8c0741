// Postwright.exe: started with "BUG" or "CNT", hands one mail to the user's mail client.
#include "mailer/postwright.h"
#include "settings/location/data_folder.h"
#include "toolkit/files.h"
#include "toolkit/os_version.h"

#include "mailer/mapi_win.h"
#include "settings/location/shell_folder_win.h"
#include "toolkit/files_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit/win32.h"

#include <commctrl.h>
#include <stdlib.h>

#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else, so the mail client's dialogs get the visual style of the manifest.
    InitCommonControls();

    // The runtime's ANSI split of the command line; the program name is not an argument.
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) {
        args.emplace_back(__argv[i]);
    }

    const std::unique_ptr<korvane::MapiPort> mapi = korvane::CreateWin32Mapi();
    const std::unique_ptr<korvane::SpecialFolderPort> folders = korvane::CreateWin32SpecialFolder();
    const std::unique_ptr<korvane::FileSystemPort> files = korvane::CreateWin32FileSystem();
    const std::unique_ptr<korvane::OsVersionPort> os = korvane::CreateWin32OsVersion();
    korvane::PostwrightDeps deps{*mapi, *os, *folders, [&files](const std::string& path) {
                                     return files->FileExists(path);
                                 }};
    return korvane::RunPostwright(args, deps);
}

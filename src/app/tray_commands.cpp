// What the tray menus' entries do.
#include "app/tray_commands.h"

#include "app/tray_menu.h"
#include "settings/location/data_folder.h"
#include "toolkit/files.h"
#include "toolkit/product.h"

namespace korvane {

TrayCommands::TrayCommands(ShellPort& shell, FileSystemPort& files, std::string programPath,
                           std::string dataPath)
    : shell_(shell), files_(files), programPath_(std::move(programPath)),
      logsPath_(std::move(dataPath) + kLogsFolderName) {}

void TrayCommands::Run(PopupMenuPort& menu, int index) {
    switch (menu.Tag(index)) {
    case kCmdHelp:
        shell_.Open(programPath_ + kHelpFileName, "", false);
        break;
    case kCmdExit:
        if (OnExit)
            OnExit();
        break;
    case kCmdOpenLog:
        OpenLog(menu.Data(index));
        break;
    case kCmdWebPage:
        shell_.Open(kWebPageAddress, "", false);
        break;
    case kCmdBugReport:
        shell_.Open(programPath_ + kMailerFileName, kBugReportArgument, true);
        break;
    default:
        // The windows (Settings, a disk's settings, About) are the application's own to show.
        break;
    }
}

void TrayCommands::RefreshLogMenu(PopupMenuPort& menu, int logEntry) {
    // -1 would address the menu itself.
    if (logEntry < 0 || logEntry >= menu.Count())
        return;
    for (int n = menu.SubItemCount(logEntry) - 1; n >= 0; --n)
        menu.RemoveItem(menu.SubItem(logEntry, n));
    const std::vector<std::string> names = files_.FindFiles(LogsMask());
    for (size_t i = 0; i < names.size(); ++i) {
        const int entry = menu.InsertItem(logEntry, LogMenuCaption(names[i]));
        if (entry < 0)
            return;
        menu.SetTag(entry, kCmdOpenLog);
        menu.SetData(entry, static_cast<int32_t>(i));
    }
}

std::string TrayCommands::LogsMask() const {
    return logsPath_ + "*.log";
}

void TrayCommands::OpenLog(int32_t listingIndex) {
    // The folder may have changed since the menu was built: list it again.
    const std::vector<std::string> names = files_.FindFiles(LogsMask());
    if (listingIndex < 0 || static_cast<size_t>(listingIndex) >= names.size())
        return;
    const std::string path = logsPath_ + names[listingIndex];
    if (files_.FileExists(path))
        shell_.Open(kLogEditor, path, false);
}

std::string LogMenuCaption(const std::string& fileName) {
    return LogCaption(fileName);
}

} // namespace korvane

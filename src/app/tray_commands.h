// What the tray menus' entries do: documents, the web page, the bug report, the log sub-menu.
#pragma once

#include "log/log_reader.h"
#include "toolkit/popup_menu.h"
#include "toolkit/product.h"
#include "toolkit/shell_port.h"

#include <functional>
#include <string>

namespace korvane {

class FileSystemPort;

inline constexpr const char* kHelpFileName = KORVANE_PRODUCT_NAME ".chm";
inline constexpr const char* kLogEditor = "notepad";

class TrayCommands {
  public:
    // Both paths end with a backslash; the temperature logs are in dataPath + "logs\".
    TrayCommands(ShellPort& shell, FileSystemPort& files, std::string programPath,
                 std::string dataPath);

    // The entry's code decides; the codes that open the program's windows are left to the
    // application, which owns them.
    void Run(PopupMenuPort& menu, int index);
    // Rebuilds the sub-menu of a Temperature Logs entry from the logs folder as it is now.
    void RefreshLogMenu(PopupMenuPort& menu, int logEntry);

    std::function<void()> OnExit;

  private:
    std::string LogsMask() const;
    void OpenLog(int32_t listingIndex);

    ShellPort& shell_;
    FileSystemPort& files_;
    std::string programPath_;
    std::string logsPath_;
};

// "HDD - " and the log's file name up to its last ".".
std::string LogMenuCaption(const std::string& fileName);

} // namespace korvane

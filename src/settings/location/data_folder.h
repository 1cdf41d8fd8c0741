// Where both programs keep their data: the user's application-data folder + "Korvane\".
#pragma once

#include "toolkit/product.h"

#include <cstdint>
#include <memory>
#include <string>

namespace korvane {

// Shell special-folder identifiers (CSIDL values) the programs use.
inline constexpr int32_t kCsidlAppData = 26;
inline constexpr int32_t kCsidlCommonAppData = 35;

inline constexpr const char* kDataFolderName = KORVANE_PRODUCT_NAME "\\";
inline constexpr const char* kSettingsFileName = "Korvn.ini";
inline constexpr const char* kDebugLogName = "debug.log";
inline constexpr const char* kLogsFolderName = "logs\\";

// The shell's special-folder lookup.
class SpecialFolderPort {
  public:
    virtual ~SpecialFolderPort() = default;
    // The folder's path exactly as the shell reports it, or the empty text on failure.
    virtual std::string SpecialFolderPath(int32_t csidl) = 0;
};

// The per-user (or, with `allUsers`, the common) application-data folder; empty on failure.
std::string ApplicationDataPath(SpecialFolderPort& folders, bool allUsers);

// The data-files folder for an application-data path, with its trailing backslash. An empty path
// (failed lookup) gives "\Korvane\", a folder at the root of the current drive.
std::string DataFilesFolderFor(const std::string& appDataPath);

// The data-files folder of the current user.
std::string DataFilesFolder(SpecialFolderPort& folders);

} // namespace korvane

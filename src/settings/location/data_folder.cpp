// The data-files folder rule shared by both programs.
#include "settings/location/data_folder.h"

#include "toolkit/text.h"

namespace korvane {

std::string ApplicationDataPath(SpecialFolderPort& folders, bool allUsers) {
    return folders.SpecialFolderPath(allUsers ? kCsidlCommonAppData : kCsidlAppData);
}

std::string DataFilesFolderFor(const std::string& appDataPath) {
    return WithTrailingBackslash(appDataPath) + kDataFolderName;
}

std::string DataFilesFolder(SpecialFolderPort& folders) {
    return DataFilesFolderFor(ApplicationDataPath(folders, false));
}

} // namespace korvane

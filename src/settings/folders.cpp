// Creating a folder with its missing parents.
#include "settings/folders.h"

#include "settings/location/data_folder.h"
#include "toolkit/files.h"
#include "toolkit/text.h"

namespace korvane {

bool CreateFolders(FileSystemPort& files, const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    if (folder.size() <= 2) {
        return files.FolderExists(WithTrailingBackslash(folder));
    }
    if (files.FolderExists(folder)) {
        return true;
    }
    CreateFolders(files, FolderOf(folder));
    files.CreateFolder(folder);
    return files.FolderExists(folder);
}

void CreateLogsFolder(FileSystemPort& files, const std::string& dataPath) {
    CreateFolders(files, dataPath + kLogsFolderName);
}

} // namespace korvane

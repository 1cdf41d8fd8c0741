// Creating the data-files folder and its "logs\" folder at start-up.
#pragma once

#include <string>

namespace korvane {

class FileSystemPort;

// Creates `path` and every missing folder above it, the outermost first. A bare drive (two
// characters or fewer) is never created; failures are ignored. True when the folder exists after.
bool CreateFolders(FileSystemPort& files, const std::string& path);

// Creates the data-files folder's "logs\" folder with its missing parents.
void CreateLogsFolder(FileSystemPort& files, const std::string& dataPath);

} // namespace korvane

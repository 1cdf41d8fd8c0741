// The in-memory file system: files and folders in maps, private to the process, no disk traffic
// (posix_file_system.h is the other kind, over real files in a test folder).
#pragma once

#include "toolkit/files.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace korvane::test {

// Paths are taken as given, but for the trailing "\" of a folder's name.
class MemoryFileSystem final : public FileSystemPort {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    // Every folder creation asked for, in order, made or not.
    std::vector<std::string> createdFolders;
    // Writes at or below these paths fail, as in a folder the user may not write to.
    std::set<std::string> readOnly;

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& mask) override;
    bool AppendLine(const std::string& path, const std::string& text) override;
    std::unique_ptr<FileReaderPort> OpenRead(const std::string& path) override;
    std::unique_ptr<FileWriterPort> CreateWrite(const std::string& path) override;
    bool ReplaceAtomically(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;

  private:
    bool Writable(const std::string& path) const;
};

} // namespace korvane::test

// An in-memory file system for the fuzz targets: fast, private to the process, no disk traffic.
#pragma once

#include "toolkit/files.h"

#include <map>
#include <set>
#include <string>

namespace korvane::fuzz {

class MemoryFiles final : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    bool FolderExists(const std::string& path) override { return folders.count(path) != 0; }
    bool CreateFolder(const std::string& path) override { return folders.insert(path).second; }
    std::vector<std::string> FindFiles(const std::string& mask) override;
    bool AppendLine(const std::string& path, const std::string& text) override {
        files[path] += text + "\r\n";
        return true;
    }
    std::unique_ptr<FileReader> OpenRead(const std::string& path) override;
    std::unique_ptr<FileWriter> CreateWrite(const std::string& path) override;
    bool ReplaceAtomically(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
};

} // namespace korvane::fuzz

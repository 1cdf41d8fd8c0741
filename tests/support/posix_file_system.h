// A file-system port over the C++ standard library, for native tests of logic that uses files.
#pragma once

#include "toolkit/files.h"

namespace korvane::test {

// Windows paths are accepted: every "\" is taken as the platform's separator. Appends do not lock
// the file (the platform has no mandatory locks).
class PosixFileSystem final : public FileSystemPort {
  public:
    bool FileExists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& mask) override;
    bool AppendLine(const std::string& path, const std::string& text) override;
    std::unique_ptr<FileReaderPort> OpenRead(const std::string& path) override;
    std::unique_ptr<FileWriterPort> CreateWrite(const std::string& path) override;
    bool ReplaceAtomically(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
};

} // namespace korvane::test

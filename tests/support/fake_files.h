// A file-system decorator that makes one chosen write step fail, to test interrupted rewrites.
#pragma once

#include "toolkit/files.h"

namespace korvane::test {

// Passes every call to the wrapped file system. Write steps (creating a file for writing, each
// write, finishing, replacing, deleting, appending) are counted from 1; the step numbered
// `failAt` fails without reaching the wrapped system (0: none fails).
class FaultyFileSystem final : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& inner, int failAt = 0) : inner_(inner), failAt_(failAt) {}

    int Steps() const { return steps_; }
    bool Failed() const { return failAt_ > 0 && steps_ >= failAt_; }

    bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
    bool FolderExists(const std::string& path) override { return inner_.FolderExists(path); }
    bool CreateFolder(const std::string& path) override {
        return Step() && inner_.CreateFolder(path);
    }
    std::vector<std::string> FindFiles(const std::string& mask) override {
        return inner_.FindFiles(mask);
    }
    bool AppendLine(const std::string& path, const std::string& text) override {
        return Step() && inner_.AppendLine(path, text);
    }
    std::unique_ptr<FileReader> OpenRead(const std::string& path) override {
        return inner_.OpenRead(path);
    }
    std::unique_ptr<FileWriter> CreateWrite(const std::string& path) override;
    bool ReplaceAtomically(const std::string& from, const std::string& to) override {
        return Step() && inner_.ReplaceAtomically(from, to);
    }
    bool RemoveFile(const std::string& path) override { return Step() && inner_.RemoveFile(path); }

    // Counts one step; false when this is the step that fails.
    bool Step() { return ++steps_ != failAt_; }

  private:
    FileSystem& inner_;
    int failAt_;
    int steps_ = 0;
};

} // namespace korvane::test

// A file-system decorator that counts what it passes on and makes chosen write steps fail: one
// numbered step (an interrupted rewrite) or every step while the disk is full.
#pragma once

#include "toolkit/files.h"

#include "port_calls.h"

#include <atomic>

namespace korvane::test {

// Passes every call to the wrapped file system. Write steps (creating a folder, creating a file
// for writing, each write, finishing, replacing, deleting, appending) are counted from 1; the
// step numbered `failAt` fails without reaching the wrapped system (0: none fails), and so does
// every step while `full` is set. The program's worker may write too: the switch and the counts
// may be read from any thread.
class FaultyFileSystem final : public FileSystemPort {
  public:
    explicit FaultyFileSystem(FileSystemPort& inner, int failAt = 0, PortCalls* calls = nullptr)
        : inner_(inner), failAt_(failAt), calls_(calls) {}

    int Steps() const { return steps_; }
    bool Failed() const { return failAt_ > 0 && steps_ >= failAt_; }

    bool FileExists(const std::string& path) override {
        const PortCall call(calls_);
        return inner_.FileExists(path);
    }
    bool FolderExists(const std::string& path) override {
        const PortCall call(calls_);
        return inner_.FolderExists(path);
    }
    bool CreateFolder(const std::string& path) override {
        const PortCall call(calls_);
        return Step() && inner_.CreateFolder(path);
    }
    std::vector<std::string> FindFiles(const std::string& mask) override {
        const PortCall call(calls_);
        return inner_.FindFiles(mask);
    }
    bool AppendLine(const std::string& path, const std::string& text) override {
        ++appends;
        const PortCall call(calls_);
        return Step() && inner_.AppendLine(path, text);
    }
    std::unique_ptr<FileReaderPort> OpenRead(const std::string& path) override {
        const PortCall call(calls_);
        return inner_.OpenRead(path);
    }
    std::unique_ptr<FileWriterPort> CreateWrite(const std::string& path) override;
    bool ReplaceAtomically(const std::string& from, const std::string& to) override {
        const PortCall call(calls_);
        return Step() && inner_.ReplaceAtomically(from, to);
    }
    bool RemoveFile(const std::string& path) override {
        const PortCall call(calls_);
        return Step() && inner_.RemoveFile(path);
    }

    // Counts one step; false when it fails.
    bool Step();

    // While set, every write step fails, as on a full disk; `refused` counts those.
    std::atomic<bool> full{false};
    std::atomic<int> refused{0};
    // The lines asked to be appended, failed or not.
    std::atomic<long> appends{0};

  private:
    FileSystemPort& inner_;
    int failAt_;
    PortCalls* calls_;
    std::atomic<int> steps_{0};
};

} // namespace korvane::test

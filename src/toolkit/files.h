// File-system port: the few file operations the settings store and the logger need, so that
// their logic runs over real Win32 files in the program and over test doubles natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvane {

// A file opened for sequential reading; closed when destroyed.
class FileReaderPort {
  public:
    virtual ~FileReaderPort() = default;
    // Reads up to `size` bytes; the number read, 0 at the end of the file, -1 on failure.
    virtual int64_t Read(char* buffer, size_t size) = 0;
    // Moves to `offset` bytes from the start; false (position unchanged) when the file is
    // shorter, so that a reader following a growing file notices one that was cut or replaced.
    virtual bool Seek(int64_t offset) = 0;
};

// A file opened for writing from its start; closed when destroyed. A writer destroyed without a
// successful Finish may leave a partial file behind: its owner deletes it.
class FileWriterPort {
  public:
    virtual ~FileWriterPort() = default;
    // Writes every byte or fails.
    virtual bool Write(const char* data, size_t size) = 0;
    // Makes the contents durable and closes the file; false when any of that failed.
    virtual bool Finish() = 0;
};

// Paths are Windows paths of ANSI bytes ("\" separators).
class FileSystemPort {
  public:
    virtual ~FileSystemPort() = default;

    // True for an existing file; false for a folder or nothing.
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool FolderExists(const std::string& path) = 0;
    // Creates one folder whose parent exists.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Names (without folder) of the plain files matching a mask such as "C:\x\*.log".
    virtual std::vector<std::string> FindFiles(const std::string& mask) = 0;
    // Opens the file for writing without sharing (creating it when missing), writes `text`
    // followed by CR LF at its end in one write and closes it.
    virtual bool AppendLine(const std::string& path, const std::string& text) = 0;
    virtual std::unique_ptr<FileReaderPort> OpenRead(const std::string& path) = 0;
    // Creates the file, or empties an existing one, for writing.
    virtual std::unique_ptr<FileWriterPort> CreateWrite(const std::string& path) = 0;
    // Puts `from` in the place of `to` in one step: `to` is either the old or the new file, even
    // across a crash or power loss.
    virtual bool ReplaceAtomically(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
};

} // namespace korvane

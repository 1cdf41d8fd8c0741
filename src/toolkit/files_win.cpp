// The file-system port over Win32 files: CreateFileA, FindFirstFileA, MoveFileExA.
#include "toolkit/files.h"

#include "toolkit/files_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

#include <utility>

namespace korvane {
namespace {

constexpr int kReplaceAttempts = 10;
constexpr DWORD kReplaceRetryMs = 10;

// WriteFile takes at most a DWORD per call.
bool WriteAll(HANDLE file, const char* data, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) {
            return false;
        }
        data += chunk;
        size -= chunk;
    }
    return true;
}

class Win32Reader final : public FileReaderPort {
  public:
    explicit Win32Reader(ScopedFile file) : file_(std::move(file)) {}
    int64_t Read(char* buffer, size_t size) override {
        const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD got = 0;
        if (!ReadFile(file_.Get(), buffer, want, &got, nullptr)) {
            return -1;
        }
        return got;
    }
    bool Seek(int64_t offset) override {
        LARGE_INTEGER size{};
        if (offset < 0 || !GetFileSizeEx(file_.Get(), &size) || offset > size.QuadPart) {
            return false;
        }
        LARGE_INTEGER to{};
        to.QuadPart = offset;
        return SetFilePointerEx(file_.Get(), to, nullptr, FILE_BEGIN) != FALSE;
    }

  private:
    ScopedFile file_;
};

class Win32Writer final : public FileWriterPort {
  public:
    explicit Win32Writer(ScopedFile file) : file_(std::move(file)) {}
    bool Write(const char* data, size_t size) override {
        return file_.Valid() && WriteAll(file_.Get(), data, size);
    }
    bool Finish() override {
        if (!file_.Valid()) {
            return false;
        }
        const bool flushed = FlushFileBuffers(file_.Get()) != FALSE;
        return file_.Reset() && flushed;
    }

  private:
    ScopedFile file_;
};

DWORD Attributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

class Win32FileSystem final : public FileSystemPort {
  public:
    bool FileExists(const std::string& path) override {
        const DWORD attributes = Attributes(path);
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool FolderExists(const std::string& path) override {
        const DWORD attributes = Attributes(path);
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    bool CreateFolder(const std::string& path) override {
        return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
    }

    std::vector<std::string> FindFiles(const std::string& mask) override {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found{};
        ScopedFind search(FindFirstFileA(mask.c_str(), &found));
        if (!search.Valid()) {
            return names;
        }
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                names.emplace_back(found.cFileName);
            }
        } while (FindNextFileA(search.Get(), &found));
        return names;
    }

    bool AppendLine(const std::string& path, const std::string& text) override {
        // Readers may look on (a log viewer, the bug-report mail attaching debug.log): refusing
        // them would lose the line. A program holding the file exclusively still makes this
        // append fail, and the line is dropped. Append access alone writes at the end of the
        // file whatever its size at the time: no seek there first, one call less per line.
        ScopedFile file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            return false;
        }
        const std::string line = text + "\r\n";
        return WriteAll(file.Get(), line.data(), line.size());
    }

    std::unique_ptr<FileReaderPort> OpenRead(const std::string& path) override {
        ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file.Valid()) {
            return nullptr;
        }
        return std::make_unique<Win32Reader>(std::move(file));
    }

    std::unique_ptr<FileWriterPort> CreateWrite(const std::string& path) override {
        ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            return nullptr;
        }
        return std::make_unique<Win32Writer>(std::move(file));
    }

    bool ReplaceAtomically(const std::string& from, const std::string& to) override {
        // A reader that holds `to` open (a collector's scrape, a virus scanner) refuses the
        // rename for a moment: tried again a few times before it counts as failed.
        for (int attempt = 0;; ++attempt) {
            if (MoveFileExA(from.c_str(), to.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE)
                return true;
            const DWORD error = GetLastError();
            if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) ||
                attempt >= kReplaceAttempts)
                return false;
            Sleep(kReplaceRetryMs);
        }
    }

    bool RemoveFile(const std::string& path) override { return DeleteFileA(path.c_str()) != FALSE; }
};

} // namespace

std::unique_ptr<FileSystemPort> CreateWin32FileSystem() {
    return std::make_unique<Win32FileSystem>();
}

} // namespace korvane

// The in-memory file system of the native tests and the fuzz targets.
#include "memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace korvane::test {
namespace {

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

class MemoryReader final : public FileReaderPort {
  public:
    explicit MemoryReader(std::string data) : data_(std::move(data)) {}
    int64_t Read(char* buffer, size_t size) override {
        const size_t n = std::min(size, data_.size() - position_);
        std::memcpy(buffer, data_.data() + position_, n);
        position_ += n;
        return static_cast<int64_t>(n);
    }
    bool Seek(int64_t offset) override {
        if (offset < 0 || static_cast<size_t>(offset) > data_.size()) {
            return false;
        }
        position_ = static_cast<size_t>(offset);
        return true;
    }

  private:
    std::string data_;
    size_t position_ = 0;
};

class MemoryWriter final : public FileWriterPort {
  public:
    explicit MemoryWriter(std::string& target) : target_(target) { target_.clear(); }
    bool Write(const char* data, size_t size) override {
        target_.append(data, size);
        return true;
    }
    bool Finish() override { return true; }

  private:
    std::string& target_;
};

} // namespace

bool MemoryFileSystem::Writable(const std::string& path) const {
    return std::none_of(readOnly.begin(), readOnly.end(),
                        [&](const std::string& locked) { return path.rfind(locked, 0) == 0; });
}

bool MemoryFileSystem::FolderExists(const std::string& path) {
    return folders.count(WithoutTrailingBackslash(path)) != 0;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
    createdFolders.push_back(path);
    return Writable(path) && folders.insert(WithoutTrailingBackslash(path)).second;
}

std::vector<std::string> MemoryFileSystem::FindFiles(const std::string& mask) {
    // Only the "folder\*.ext" masks the program uses.
    const size_t star = mask.rfind('*');
    const std::string folder = mask.substr(0, star);
    const std::string suffix = mask.substr(star + 1);
    std::vector<std::string> names;
    for (const auto& [path, data] : files) {
        if (path.size() >= folder.size() + suffix.size() && path.starts_with(folder) &&
            path.ends_with(suffix) && path.find('\\', folder.size()) == std::string::npos) {
            names.push_back(path.substr(folder.size()));
        }
    }
    return names;
}

bool MemoryFileSystem::AppendLine(const std::string& path, const std::string& text) {
    if (!Writable(path)) {
        return false;
    }
    files[path] += text + "\r\n";
    return true;
}

std::unique_ptr<FileReaderPort> MemoryFileSystem::OpenRead(const std::string& path) {
    const auto found = files.find(path);
    if (found == files.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryReader>(found->second);
}

std::unique_ptr<FileWriterPort> MemoryFileSystem::CreateWrite(const std::string& path) {
    if (!Writable(path)) {
        return nullptr;
    }
    return std::make_unique<MemoryWriter>(files[path]);
}

bool MemoryFileSystem::ReplaceAtomically(const std::string& from, const std::string& to) {
    const auto found = files.find(from);
    if (found == files.end() || !Writable(to)) {
        return false;
    }
    files[to] = std::move(found->second);
    files.erase(from);
    return true;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
    return Writable(path) && files.erase(path) != 0;
}

} // namespace korvane::test

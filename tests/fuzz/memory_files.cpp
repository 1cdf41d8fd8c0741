// The in-memory file system of the fuzz targets.
#include "memory_files.h"

#include <algorithm>
#include <cstring>

namespace korvane::fuzz {
namespace {

class MemoryReader final : public FileReader {
  public:
    explicit MemoryReader(std::string data) : data_(std::move(data)) {}
    int64_t Read(char* buffer, size_t size) override {
        const size_t n = std::min(size, data_.size() - position_);
        std::memcpy(buffer, data_.data() + position_, n);
        position_ += n;
        return static_cast<int64_t>(n);
    }

  private:
    std::string data_;
    size_t position_ = 0;
};

class MemoryWriter final : public FileWriter {
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

std::vector<std::string> MemoryFiles::FindFiles(const std::string& mask) {
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

std::unique_ptr<FileReader> MemoryFiles::OpenRead(const std::string& path) {
    const auto found = files.find(path);
    if (found == files.end()) {
        return nullptr;
    }
    return std::make_unique<MemoryReader>(found->second);
}

std::unique_ptr<FileWriter> MemoryFiles::CreateWrite(const std::string& path) {
    return std::make_unique<MemoryWriter>(files[path]);
}

bool MemoryFiles::ReplaceAtomically(const std::string& from, const std::string& to) {
    const auto found = files.find(from);
    if (found == files.end()) {
        return false;
    }
    files[to] = std::move(found->second);
    files.erase(from);
    return true;
}

} // namespace korvane::fuzz

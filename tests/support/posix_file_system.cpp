// The standard-library file system used by native tests.
#include "posix_file_system.h"

#include <filesystem>
#include <fstream>

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

fs::path Native(const std::string& path) {
    std::string p = path;
    for (char& c : p) {
        if (c == '\\') {
            c = '/';
        }
    }
    return fs::path(p);
}

// "*" matches any run of characters, "?" one character.
bool Matches(const char* pattern, const char* name) {
    if (*pattern == '\0') {
        return *name == '\0';
    }
    if (*pattern == '*') {
        return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    }
    return *name != '\0' && (*pattern == '?' || *pattern == *name) &&
           Matches(pattern + 1, name + 1);
}

class StreamReader final : public FileReaderPort {
  public:
    explicit StreamReader(const fs::path& path) : in_(path, std::ios::binary) {}
    bool Open() const { return in_.is_open(); }
    int64_t Read(char* buffer, size_t size) override {
        in_.read(buffer, static_cast<std::streamsize>(size));
        if (in_.bad()) {
            return -1;
        }
        return in_.gcount();
    }
    bool Seek(int64_t offset) override {
        in_.clear();
        const std::streampos here = in_.tellg();
        in_.seekg(0, std::ios::end);
        if (offset < 0 || offset > static_cast<int64_t>(in_.tellg())) {
            in_.seekg(here);
            return false;
        }
        in_.seekg(offset);
        return static_cast<bool>(in_);
    }

  private:
    std::ifstream in_;
};

class StreamWriter final : public FileWriterPort {
  public:
    explicit StreamWriter(const fs::path& path) : out_(path, std::ios::binary | std::ios::trunc) {}
    bool Open() const { return out_.is_open(); }
    bool Write(const char* data, size_t size) override {
        out_.write(data, static_cast<std::streamsize>(size));
        return static_cast<bool>(out_);
    }
    bool Finish() override {
        out_.flush();
        const bool ok = static_cast<bool>(out_);
        out_.close();
        return ok;
    }

  private:
    std::ofstream out_;
};

} // namespace

bool PosixFileSystem::FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(Native(path), ec);
}

bool PosixFileSystem::FolderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(Native(path), ec);
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(Native(path), ec);
}

std::vector<std::string> PosixFileSystem::FindFiles(const std::string& mask) {
    std::vector<std::string> names;
    const fs::path native = Native(mask);
    const std::string pattern = native.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(native.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file() && Matches(pattern.c_str(), name.c_str())) {
            names.push_back(name);
        }
    }
    return names;
}

bool PosixFileSystem::AppendLine(const std::string& path, const std::string& text) {
    std::ofstream out(Native(path), std::ios::binary | std::ios::app);
    const std::string line = text + "\r\n";
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    return out.is_open() && static_cast<bool>(out);
}

std::unique_ptr<FileReaderPort> PosixFileSystem::OpenRead(const std::string& path) {
    auto reader = std::make_unique<StreamReader>(Native(path));
    if (!reader->Open()) {
        return nullptr;
    }
    return reader;
}

std::unique_ptr<FileWriterPort> PosixFileSystem::CreateWrite(const std::string& path) {
    auto writer = std::make_unique<StreamWriter>(Native(path));
    if (!writer->Open()) {
        return nullptr;
    }
    return writer;
}

bool PosixFileSystem::ReplaceAtomically(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(Native(from), Native(to), ec);
    return !ec;
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
    std::error_code ec;
    return fs::remove(Native(path), ec);
}

} // namespace korvane::test

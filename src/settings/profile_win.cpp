// The profile port over GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "settings/profile.h"

#include "settings/profile_win.h"
#include "toolkit/win32.h"

#include <mutex>
#include <vector>

namespace korvane {
namespace {

constexpr DWORD kReadBufferSize = 1024;

// A file written this recently may be written again without its time stamp moving (file times
// are coarse): its answers are not kept. 2 s in 100-ns units.
constexpr uint64_t kSettledTicks = 2ull * 10 * 1000 * 1000;

uint64_t Ticks(const FILETIME& time) {
    return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// What a file looked like: a changed stamp means another program (or this one) wrote it.
struct FileStamp {
    uint64_t written = 0;
    uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// False when the file cannot be asked about (missing, no access): then nothing is kept.
bool StampOf(const std::string& file, FileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    stamp.written = Ticks(data.ftLastWriteTime);
    stamp.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return true;
}

bool Settled(const FileStamp& stamp) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return stamp.written + kSettledTicks < Ticks(now);
}

std::string ReadThroughApi(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback) {
    char buffer[kReadBufferSize] = {};
    // A longer value comes back cut to the buffer less its zero: 1023 characters.
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                  buffer, kReadBufferSize, file.c_str());
    return std::string(buffer, length < kReadBufferSize ? length : kReadBufferSize - 1);
}

// The profile functions open and parse the whole file at every call, and a poll makes a dozen
// of them. Their answers are kept for as long as the file keeps its time stamp and size, so an
// edit by hand or by another program still shows at the next read, as it did without this (inside
// a read run: at the next run, that is the next poll).
class Win32Profile final : public ProfilePort {
  public:
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override {
        std::lock_guard<std::mutex> lock(guard_);
        Cache& cache = CacheOf(file);
        // Inside a run the file is asked about once; each look is a system call or two.
        if (runDepth_ == 0 || !cache.lookedInRun) {
            FileStamp stamp;
            cache.usable = StampOf(file, stamp) && Settled(stamp);
            cache.lookedInRun = runDepth_ > 0;
            if (cache.usable && !(cache.stamp == stamp)) {
                cache.entries.clear();
                cache.stamp = stamp;
            }
        }
        if (!cache.usable) {
            return ReadThroughApi(file, section, key, fallback);
        }
        for (const Entry& entry : cache.entries) {
            if (entry.key == key && entry.section == section && entry.fallback == fallback) {
                return entry.value;
            }
        }
        std::string value = ReadThroughApi(file, section, key, fallback);
        cache.entries.push_back(Entry{section, key, fallback, value});
        return value;
    }

    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
        std::lock_guard<std::mutex> lock(guard_);
        const bool written = WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                        file.c_str()) != FALSE;
        Cache& cache = CacheOf(file);
        cache.entries.clear(); // the stamp moves too, but maybe not within its tick
        cache.lookedInRun = false;
        return written;
    }

    void BeginReadRun() override {
        std::lock_guard<std::mutex> lock(guard_);
        ++runDepth_;
    }

    void EndReadRun() override {
        std::lock_guard<std::mutex> lock(guard_);
        if (runDepth_ > 0 && --runDepth_ == 0) {
            for (Cache& cache : caches_) {
                cache.lookedInRun = false;
            }
        }
    }

  private:
    struct Entry {
        std::string section;
        std::string key;
        std::string fallback; // a key that is absent answers with the caller's fallback
        std::string value;
    };
    struct Cache {
        std::string file;
        FileStamp stamp;
        std::vector<Entry> entries;
        // As the last look found it: the answers may be kept (it exists and has settled).
        bool usable = false;
        bool lookedInRun = false; // looked at in the current run
    };

    Cache& CacheOf(const std::string& file) {
        for (Cache& cache : caches_) {
            if (cache.file == file) {
                return cache;
            }
        }
        caches_.push_back(Cache{file, {}, {}, false, false});
        return caches_.back();
    }

    std::mutex guard_;
    std::vector<Cache> caches_;
    int runDepth_ = 0;
};

} // namespace

std::unique_ptr<ProfilePort> CreateWin32Profile() {
    return std::make_unique<Win32Profile>();
}

} // namespace korvane

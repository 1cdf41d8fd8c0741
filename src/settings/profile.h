// Profile (INI) file helpers: the typed reads and writes of the settings store over a small port.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace korvane {

// The two profile services of the platform (GetPrivateProfileStringA, WritePrivateProfileStringA).
class ProfilePort {
  public:
    virtual ~ProfilePort() = default;
    // The key's value, or `fallback` when the key is absent.
    virtual std::string ReadText(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& fallback) = 0;
    // Writes the key (an empty value keeps the key with nothing after "="); false on failure.
    virtual bool WriteText(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& value) = 0;

    // The bounds of a run of reads (see ProfileReadRun); a port that looks at nothing ignores them.
    virtual void BeginReadRun() {}
    virtual void EndReadRun() {}
};

// Opened around the reads of one poll: inside it, a port that asks whether a file changed asks
// once, at the run's first read of that file (and again after a write through it), rather than
// at each of the poll's reads. An edit made meanwhile shows at the next run, as at the next read
// outside one. Runs may nest.
class ProfileReadRun {
  public:
    explicit ProfileReadRun(ProfilePort& profile) : profile_(profile) { profile_.BeginReadRun(); }
    ~ProfileReadRun() { profile_.EndReadRun(); }
    ProfileReadRun(const ProfileReadRun&) = delete;
    ProfileReadRun& operator=(const ProfileReadRun&) = delete;

  private:
    ProfilePort& profile_;
};

// Longest value a read gives back: the 1024-character read buffer less its terminating zero.
inline constexpr size_t kProfileValueMax = 1023;

// The integer conversion of profile values: blanks, an optional sign, then decimal digits or
// hexadecimal digits after "$", "x" or "0x". Anything else, an empty text or a value beyond 32
// bits gives `fallback`.
int32_t ProfileTextToInteger(const std::string& text, int32_t fallback);

std::string ProfileReadString(ProfilePort& profile, const std::string& file,
                              const std::string& section, const std::string& key,
                              const std::string& fallback);
int32_t ProfileReadInteger(ProfilePort& profile, const std::string& file,
                           const std::string& section, const std::string& key, int32_t fallback);
// True only for the value "1".
bool ProfileReadBool(ProfilePort& profile, const std::string& file, const std::string& section,
                     const std::string& key, bool fallback);

bool ProfileWriteString(ProfilePort& profile, const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value);
bool ProfileWriteInteger(ProfilePort& profile, const std::string& file, const std::string& section,
                         const std::string& key, int32_t value);
bool ProfileWriteBool(ProfilePort& profile, const std::string& file, const std::string& section,
                      const std::string& key, bool value);

} // namespace korvane

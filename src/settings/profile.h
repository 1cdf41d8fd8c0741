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

// Typed profile reads and writes, and the integer conversion of profile values.
#include "settings/profile.h"

#include "toolkit/text.h"

namespace korvane {
namespace {

constexpr const char* kTrueText = "1";
constexpr const char* kFalseText = "0";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

int32_t ProfileTextToInteger(const std::string& text, int32_t fallback) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) {
        return fallback;
    }
    // Decimal values must fit the signed range; hexadecimal ones may use all 32 bits ($FFFFFFFF
    // is -1), as profile files written by hand expect.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0 || digit >= base) {
            return fallback;
        }
        value = value * base + static_cast<uint64_t>(digit);
        if (value > limit) {
            return fallback;
        }
    }
    const uint32_t bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}

std::string ProfileReadString(ProfilePort& profile, const std::string& file,
                              const std::string& section, const std::string& key,
                              const std::string& fallback) {
    std::string value = profile.ReadText(file, section, key, fallback);
    if (value.size() > kProfileValueMax) {
        value.resize(kProfileValueMax);
    }
    return value;
}

int32_t ProfileReadInteger(ProfilePort& profile, const std::string& file,
                           const std::string& section, const std::string& key, int32_t fallback) {
    return ProfileTextToInteger(ProfileReadString(profile, file, section, key, IntToStr(fallback)),
                                fallback);
}

bool ProfileReadBool(ProfilePort& profile, const std::string& file, const std::string& section,
                     const std::string& key, bool fallback) {
    return ProfileReadString(profile, file, section, key, fallback ? kTrueText : kFalseText) ==
           kTrueText;
}

bool ProfileWriteString(ProfilePort& profile, const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
    return profile.WriteText(file, section, key, value);
}

bool ProfileWriteInteger(ProfilePort& profile, const std::string& file, const std::string& section,
                         const std::string& key, int32_t value) {
    return profile.WriteText(file, section, key, IntToStr(value));
}

bool ProfileWriteBool(ProfilePort& profile, const std::string& file, const std::string& section,
                      const std::string& key, bool value) {
    return profile.WriteText(file, section, key, value ? kTrueText : kFalseText);
}

} // namespace korvane

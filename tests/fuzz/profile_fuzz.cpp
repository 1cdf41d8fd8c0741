// Fuzz target: the integer and boolean conversions of profile values.
#include "fake_profile.h"
#include "fuzz_check.h"
#include "settings/profile.h"
#include "toolkit/text.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

using namespace korvane;

// A plain decimal text (blanks, sign, digits) read by the C library, as an independent reading.
bool DecimalByLibrary(const std::string& text, int64_t& value) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) {
        return false;
    }
    size_t digits = i + ((text[i] == '+' || text[i] == '-') ? 1 : 0);
    if (digits == text.size() ||
        text.find_first_not_of("0123456789", digits) != std::string::npos) {
        return false;
    }
    errno = 0;
    const long long parsed = std::strtoll(text.c_str() + i, nullptr, 10);
    if (errno == ERANGE) {
        value = parsed < 0 ? INT64_MIN : INT64_MAX;
    } else {
        value = parsed;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Two different fallbacks tell a reading from a refusal.
    const int32_t a = ProfileTextToInteger(text, 0x5EED);
    const int32_t b = ProfileTextToInteger(text, -0x5EED);
    const bool refused = a != b;
    if (refused) {
        FUZZ_CHECK(a == 0x5EED && b == -0x5EED);
    } else {
        // Whatever was read, written back as decimal, reads back the same.
        FUZZ_CHECK(ProfileTextToInteger(IntToStr(a), 7) == a);
    }
    int64_t decimal = 0;
    if (DecimalByLibrary(text, decimal)) {
        if (decimal >= INT32_MIN && decimal <= INT32_MAX) {
            FUZZ_CHECK(!refused && a == decimal);
        } else {
            FUZZ_CHECK(refused);
        }
    }

    // Booleans: true only for the value "1", whatever the fallback; the fallback only when absent.
    test::FakeProfile profile;
    const std::string file = "C:\\Korvn.ini";
    FUZZ_CHECK(ProfileReadBool(profile, file, "General", "Key", true));
    FUZZ_CHECK(!ProfileReadBool(profile, file, "General", "Key", false));
    FUZZ_CHECK(ProfileWriteString(profile, file, "General", "Key", text));
    const std::string read = ProfileReadString(profile, file, "General", "Key", "x");
    FUZZ_CHECK(read == text.substr(0, kProfileValueMax));
    for (bool fallback : {false, true}) {
        FUZZ_CHECK(ProfileReadBool(profile, file, "General", "Key", fallback) == (read == "1"));
    }
    const int32_t stored = ProfileReadInteger(profile, file, "General", "Key", 0x5EED);
    FUZZ_CHECK(stored == ProfileTextToInteger(read, 0x5EED));
    return 0;
}

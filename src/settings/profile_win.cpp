// The profile port over GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "settings/profile.h"

#include "toolkit/win32.h"

namespace korvane {
namespace {

constexpr DWORD kReadBufferSize = 1024;

class Win32Profile final : public ProfilePort {
  public:
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override {
        char buffer[kReadBufferSize] = {};
        // A longer value comes back cut to the buffer less its zero: 1023 characters.
        const DWORD length = GetPrivateProfileStringA(
            section.c_str(), key.c_str(), fallback.c_str(), buffer, kReadBufferSize, file.c_str());
        return std::string(buffer, length < kReadBufferSize ? length : kReadBufferSize - 1);
    }

    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                          file.c_str()) != FALSE;
    }
};

} // namespace

std::unique_ptr<ProfilePort> CreateWin32Profile() {
    return std::make_unique<Win32Profile>();
}

} // namespace korvane

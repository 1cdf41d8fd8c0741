// GetVersionExA behind the OS-version port.
#include "toolkit/os_version.h"

#include "toolkit/os_version_win.h"
#include "toolkit/win32.h"

namespace korvane {

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is the 148-byte ANSI one");

namespace {

class Win32OsVersion final : public OsVersionPort {
  public:
    OsVersionInfo Read() const override;
};

OsVersionInfo Win32OsVersion::Read() const {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    OsVersionInfo result;
    // Deprecated in later SDKs, but it is the call whose answer Wine's per-program version honours.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
    if (!ok) {
        return result;
    }
    result.major = info.dwMajorVersion;
    result.minor = info.dwMinorVersion;
    // The whole field as the system reports it: on the 95/98 family its high word repeats the
    // version (4.10.2222 reads 0x040A08AE); the bug report quotes it as it is.
    result.build = info.dwBuildNumber;
    result.platformId = info.dwPlatformId;
    info.szCSDVersion[sizeof(info.szCSDVersion) - 1] = '\0';
    result.servicePack = info.szCSDVersion;
    return result;
}

} // namespace

std::unique_ptr<OsVersionPort> CreateWin32OsVersion() {
    return std::make_unique<Win32OsVersion>();
}

} // namespace korvane

// The local time port over GetLocalTime.
#include "toolkit/clock.h"

#include "toolkit/clock_win.h"
#include "toolkit/win32.h"

namespace korvane {
namespace {

class Win32Clock final : public ClockPort {
  public:
    LocalTime Now() const override {
        SYSTEMTIME st{};
        GetLocalTime(&st);
        return LocalTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                         st.wMinute, st.wSecond, st.wMilliseconds};
    }
};

} // namespace

std::unique_ptr<ClockPort> CreateWin32Clock() {
    return std::make_unique<Win32Clock>();
}

} // namespace korvane

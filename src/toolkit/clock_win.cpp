// The local time port over GetLocalTime.
#include "toolkit/clock.h"

#include "toolkit/clock_win.h"
#include "toolkit/win32.h"

namespace korvane {
namespace {

class SystemClock final : public Clock {
  public:
    LocalTime Now() const override {
        SYSTEMTIME st{};
        GetLocalTime(&st);
        return LocalTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                         st.wMinute, st.wSecond, st.wMilliseconds};
    }
};

} // namespace

std::unique_ptr<Clock> CreateSystemClock() {
    return std::make_unique<SystemClock>();
}

} // namespace korvane

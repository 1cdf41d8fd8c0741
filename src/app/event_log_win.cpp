// The Application event log: RegisterEventSourceA once, ReportEventA per event.
#include "app/event_log_win.h"

#include "app/event_reporter.h"
#include "toolkit/product.h"
#include "toolkit/scoped_handle.h"
#include "toolkit/win32.h"

// The message table's ids, as windmc wrote them from resources/korvane_events.mc.
#include "korvane_events.h"

namespace korvane {

static_assert(event::kProgramStarted == KORVANE_EVENT_PROGRAM_STARTED &&
              event::kProgramStopped == KORVANE_EVENT_PROGRAM_STOPPED &&
              event::kDiskFound == KORVANE_EVENT_DISK_FOUND &&
              event::kDiskLost == KORVANE_EVENT_DISK_LOST &&
              event::kTemperatureUnreadable == KORVANE_EVENT_TEMPERATURE_UNREADABLE &&
              event::kTemperatureReadable == KORVANE_EVENT_TEMPERATURE_READABLE &&
              event::kBackToNormal == KORVANE_EVENT_BACK_TO_NORMAL &&
              event::kWarningReached == KORVANE_EVENT_WARNING_REACHED &&
              event::kCriticalReached == KORVANE_EVENT_CRITICAL_REACHED &&
              event::kCountdownStarted == KORVANE_EVENT_COUNTDOWN_STARTED &&
              event::kCountdownCancelled == KORVANE_EVENT_COUNTDOWN_CANCELLED &&
              event::kPowerOffRequested == KORVANE_EVENT_POWEROFF_REQUESTED &&
              event::kPowerOffFailed == KORVANE_EVENT_POWEROFF_FAILED &&
              event::kSoundFailed == KORVANE_EVENT_SOUND_FAILED &&
              event::kApplicationFailed == KORVANE_EVENT_APPLICATION_FAILED);

namespace {

struct EventSourceTraits {
    using Handle = HANDLE;
    static constexpr Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static bool Close(Handle h) { return DeregisterEventSource(h) != FALSE; }
};

WORD TypeOf(EventLevel level) {
    switch (level) {
    case EventLevel::Error:
        return EVENTLOG_ERROR_TYPE;
    case EventLevel::Warning:
        return EVENTLOG_WARNING_TYPE;
    default:
        return EVENTLOG_INFORMATION_TYPE;
    }
}

class Win32EventLog final : public EventLogPort {
  public:
    // Without the installer's registration the source still opens: Windows writes the events
    // under the name and only lacks the texts.
    Win32EventLog() : source_(RegisterEventSourceA(nullptr, kEventSourceName)) {}

    void Report(EventLevel level, uint32_t id, const std::vector<std::string>& strings) override {
        if (!source_)
            return;
        std::vector<const char*> pointers;
        pointers.reserve(strings.size());
        for (const std::string& s : strings)
            pointers.push_back(s.c_str());
        ReportEventA(source_.Get(), TypeOf(level), 0, id, nullptr,
                     static_cast<WORD>(pointers.size()), 0,
                     pointers.empty() ? nullptr : pointers.data(), nullptr);
    }

  private:
    ScopedHandle<EventSourceTraits> source_;
};

} // namespace

std::unique_ptr<EventLogPort> CreateWin32EventLog() {
    return std::make_unique<Win32EventLog>();
}

} // namespace korvane

// EventLogPort: the Application event log as the program writes to it, one event at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

enum class EventLevel : uint8_t { Information, Warning, Error };

class EventLogPort {
  public:
    virtual ~EventLogPort() = default;
    // One event of the program's source: its id in the message table, and the facts as insertion
    // strings, %1 first. Failures are not reported: the event log is never worth an alarm.
    virtual void Report(EventLevel level, uint32_t id, const std::vector<std::string>& strings) = 0;
};

} // namespace korvane

// The double of EventLogPort: every event reported, in order.
#pragma once

#include "app/event_log.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvane::test {

class RecordingEventLog final : public EventLogPort {
  public:
    struct Event {
        EventLevel level;
        uint32_t id;
        std::vector<std::string> strings;
    };

    void Report(EventLevel level, uint32_t id, const std::vector<std::string>& strings) override {
        events.push_back({level, id, strings});
    }
    std::vector<uint32_t> Ids() const {
        std::vector<uint32_t> ids;
        for (const Event& e : events)
            ids.push_back(e.id);
        return ids;
    }

    std::vector<Event> events;
};

} // namespace korvane::test

// The Application event log through advapi32's event source calls.
#pragma once

#include "app/event_log.h"

#include <memory>

namespace korvane {

// Events of the source "Korvane"; written even where the installer has not registered the source
// (Event Viewer then shows the insertion strings without the message table's texts).
std::unique_ptr<EventLogPort> CreateWin32EventLog();

} // namespace korvane

// Waiting in Windows-side tests: for a condition, with a timeout, keeping the thread's messages
// moving meanwhile (timers, sent messages, tray callbacks all need the loop).
#pragma once

#include "toolkit/win32.h"

#include <functional>

namespace korvane::test {

// Processes the calling thread's messages until `done` holds or `timeoutMs` has passed; true when
// `done` held. `step` handles one message (defaults to translate and dispatch).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs,
               const std::function<bool()>& step = nullptr);

// Milliseconds since some fixed point, for loose measurements.
double NowMs();

} // namespace korvane::test

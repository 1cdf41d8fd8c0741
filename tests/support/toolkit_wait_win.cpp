// Waiting in Windows-side tests, with the thread's messages moving.
#include "toolkit_wait_win.h"

namespace korvane::test {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs,
               const std::function<bool()>& step) {
    const double end = NowMs() + timeoutMs;
    while (!done()) {
        const double left = end - NowMs();
        if (left <= 0)
            return false;
        // Wakes for any message or after a short while, to look at `done` again.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 20 ? static_cast<DWORD>(left) + 1 : 20,
                                  QS_ALLINPUT);
        if (step) {
            while (step()) {
            }
        } else {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    return true;
}

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

} // namespace korvane::test

// The worker thread with its synchronous call into the GUI thread.
#include "toolkit/worker_thread_win.h"

namespace korvane {

WorkerThread::WorkerThread(AppWindow& gui, WorkerBody body) : gui_(gui), body_(std::move(body)) {
    thread_.Reset(
        CreateThread(nullptr, 0, &WorkerThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_));
    if (thread_)
        ResumeThread(thread_.Get());
}

WorkerThread::~WorkerThread() {
    Terminate();
    if (!thread_)
        return;
    if (!WaitFor(kStopGraceMs)) {
        // The body is stuck in a long step (a sound, a wait for an application); ending it
        // outright is the last resort, as the program must still be able to exit.
        TerminateThread(thread_.Get(), 0);
        WaitForSingleObject(thread_.Get(), INFINITE);
    }
}

DWORD WINAPI WorkerThread::ThreadProc(void* param) noexcept {
    auto* self = static_cast<WorkerThread*>(param);
    try {
        return self->body_ ? self->body_(*self) : 0;
    } catch (...) {
        return 1;
    }
}

bool WorkerThread::Synchronize(const std::function<void()>& method) {
    if (terminated_)
        return false;
    // The flag is set on the GUI thread, so a call that reaches it after the stop (while freeing
    // waits for the body) is refused there: nothing of the worker runs during shut-down.
    bool ran = false;
    gui_.SendSynchronize([&] {
        if (terminated_)
            return;
        method();
        ran = true;
    });
    return ran;
}

bool WorkerThread::WaitFor(DWORD timeoutMs) {
    if (!thread_)
        return true;
    const bool onGuiThread = GetCurrentThreadId() == gui_.GuiThreadId();
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        HANDLE handle = thread_.Get();
        // The worker may be inside Synchronize, waiting for this very thread: take sent messages.
        const DWORD result =
            onGuiThread ? MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE)
                        : WaitForSingleObject(handle, left);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result != WAIT_OBJECT_0 + 1)
            return false; // timeout or failure
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

DWORD WorkerThread::ExitCode() const {
    DWORD code = 0;
    if (thread_)
        GetExitCodeThread(thread_.Get(), &code);
    return code;
}

} // namespace korvane

// The worker thread with its synchronous call into the GUI thread.
#include "toolkit/worker_thread_win.h"

#include "toolkit/failure_report.h"

#include <algorithm>

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
    if (!WaitFor(kStopLimitMs)) {
        // A body that never looks at the flag; ending it outright may leave a lock it holds
        // taken, so it is only the last resort that lets the program still exit.
        TerminateThread(thread_.Get(), 0);
        WaitForSingleObject(thread_.Get(), INFINITE);
    }
}

DWORD WINAPI WorkerThread::ThreadProc(void* param) noexcept {
    auto* self = static_cast<WorkerThread*>(param);
    // The thread's message queue exists from here on, so that a stop request posted to it is kept.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    try {
        return self->body_ ? self->body_(*self) : 0;
    } catch (...) {
        // The body serves its records itself; this is the last resort, reported on the GUI
        // thread, which alone may log.
        try {
            const std::string text = CurrentExceptionText();
            self->Synchronize([&text] { ReportFailure("the worker thread, which ends", text); });
        } catch (...) {
        }
        return 1;
    }
}

void WorkerThread::Terminate() {
    terminated_ = true;
    PostStopRequest();
}

void WorkerThread::PostStopRequest() const {
    // Fails while the thread has no queue yet or has ended; WaitFor posts again.
    if (threadId_ != 0)
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
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

bool WorkerThread::WaitFor(uint32_t timeoutMs) {
    if (!thread_)
        return true;
    const bool onGuiThread = GetCurrentThreadId() == gui_.GuiThreadId();
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return WaitForSingleObject(thread_.Get(), 0) == WAIT_OBJECT_0;
        const DWORD slice = std::min<DWORD>(timeoutMs - elapsed, kRepostMs);
        HANDLE handle = thread_.Get();
        // The worker may be inside Synchronize, waiting for this very thread: take sent messages.
        const DWORD result =
            onGuiThread ? MsgWaitForMultipleObjects(1, &handle, FALSE, slice, QS_SENDMESSAGE)
                        : WaitForSingleObject(handle, slice);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        } else if (result == WAIT_TIMEOUT) {
            if (terminated_)
                PostStopRequest();
        } else {
            return false; // failure
        }
    }
}

DWORD WorkerThread::ExitCode() const {
    DWORD code = 0;
    if (thread_)
        GetExitCodeThread(thread_.Get(), &code);
    return code;
}

} // namespace korvane

// The worker thread with its synchronous call into the GUI thread.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/worker_thread.h"

#include <atomic>

namespace korvane {

class WorkerThread final : public WorkerThreadPort {
  public:
    // How long freeing waits for the body to notice the stop before the thread is ended outright.
    // Bodies stop within a second; this is only the last resort against one that never looks.
    static constexpr DWORD kStopLimitMs = 10000;
    // While a stopped body is waited for, the stop request is posted again this often.
    static constexpr DWORD kRepostMs = 50;

    // Created suspended, given its body, resumed at once.
    WorkerThread(AppWindow& gui, WorkerBody body);
    // Terminates and waits (see kStopLimitMs), running the thread's synchronous calls meanwhile.
    ~WorkerThread() override;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool Terminated() const override { return terminated_; }
    // Sets the terminated flag and posts WM_QUIT to the thread: a modal loop there (a message
    // box) ends on it, as modal loops do, and the body goes on to its next look at the flag.
    void Terminate() override;
    bool Synchronize(const std::function<void()>& method) override;
    // Runs synchronous calls meanwhile when called on the GUI thread; once terminated, the stop
    // request is posted again every kRepostMs, for a modal loop the body entered after it.
    bool WaitFor(uint32_t timeoutMs) override;

    DWORD ThreadId() const { return threadId_; }
    // The body's result, once it has returned.
    DWORD ExitCode() const;

  private:
    static DWORD WINAPI ThreadProc(void* param) noexcept;
    void PostStopRequest() const;

    AppWindow& gui_;
    WorkerBody body_;
    std::atomic<bool> terminated_{false};
    ScopedKernelHandle thread_;
    DWORD threadId_ = 0;
};

} // namespace korvane

// The worker thread with its synchronous call into the GUI thread.
#pragma once

#include "toolkit/app_window_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/worker_thread.h"

#include <atomic>

namespace korvane {

class WorkerThread final : public IWorkerThread {
  public:
    // How long freeing waits for the body to notice the terminated flag before the thread is
    // ended outright.
    static constexpr DWORD kStopGraceMs = 2000;

    // Created suspended, given its body, resumed at once.
    WorkerThread(AppWindow& gui, WorkerBody body);
    // Terminates and waits (see kStopGraceMs), running the thread's synchronous calls meanwhile.
    ~WorkerThread() override;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool Terminated() const override { return terminated_; }
    // Sets the terminated flag; the body ends at its next look at it.
    void Terminate() override { terminated_ = true; }
    bool Synchronize(const std::function<void()>& method) override;

    DWORD ThreadId() const { return threadId_; }
    // Waits at most `timeoutMs` for the body to return, running synchronous calls meanwhile
    // when called on the GUI thread. True when it has returned.
    bool WaitFor(DWORD timeoutMs);
    // The body's result, once it has returned.
    DWORD ExitCode() const;

  private:
    static DWORD WINAPI ThreadProc(void* param) noexcept;

    AppWindow& gui_;
    WorkerBody body_;
    std::atomic<bool> terminated_{false};
    ScopedKernelHandle thread_;
    DWORD threadId_ = 0;
};

} // namespace korvane

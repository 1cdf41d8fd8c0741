// The worker-thread port: the alarm executor's thread and its synchronous call into the GUI thread.
#pragma once

#include <cstdint>
#include <functional>

namespace korvane {

class WorkerThreadPort {
  public:
    virtual ~WorkerThreadPort() = default;

    // The execute handler loops until this turns true.
    virtual bool Terminated() const = 0;
    // Sets the flag and ends any modal loop the body is in (a message box), so that a body that
    // looks at the flag between its steps ends soon.
    virtual void Terminate() = 0;

    // Runs `method` on the GUI thread and returns when it has run; from the GUI thread itself it
    // runs at once. False when it could not be run (the application window is gone, or the thread
    // has been told to stop).
    virtual bool Synchronize(const std::function<void()>& method) = 0;

    // Waits at most `timeoutMs` for the body to return; on the GUI thread the body's synchronous
    // calls are served meanwhile. True when it has returned.
    virtual bool WaitFor(uint32_t timeoutMs) = 0;
};

// The body of a worker: runs once on the new thread; its result is the thread's exit code.
using WorkerBody = std::function<uint32_t(WorkerThreadPort& thread)>;

} // namespace korvane

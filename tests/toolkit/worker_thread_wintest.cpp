// The worker thread and its synchronous call into the GUI thread.
#include "toolkit/worker_thread_win.h"
#include "toolkit/failure_report.h"
#include "toolkit/handles_win.h"

#include "toolkit_wait_win.h"
#include "ui_driver_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvane {
namespace {

using test::PumpUntil;

TEST(WorkerSynchronize, RunsOnTheGuiThreadAndBlocksTheWorker) {
    AppWindow window;
    const DWORD gui = GetCurrentThreadId();
    std::atomic<DWORD> workerId{0}, ranOn{0};
    std::atomic<bool> finished{false};
    std::atomic<int> stepsSeenAfterReturn{0};
    int steps = 0; // GUI-thread state touched only inside the call
    WorkerThread worker(window, [&](WorkerThreadPort& self) -> uint32_t {
        workerId = GetCurrentThreadId();
        const bool ran = self.Synchronize([&] {
            ranOn = GetCurrentThreadId();
            // Slow on purpose: the worker must still be waiting when this ends.
            for (int i = 0; i < 5; ++i) {
                Sleep(20);
                ++steps;
            }
        });
        stepsSeenAfterReturn = ran ? steps : -1;
        finished = true;
        return 42;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }, 10000,
                          [&] { return window.ProcessOneMessage(); }));
    EXPECT_EQ(gui, ranOn.load());
    EXPECT_NE(gui, workerId.load());
    EXPECT_EQ(worker.ThreadId(), workerId.load());
    EXPECT_EQ(5, stepsSeenAfterReturn.load());
    ASSERT_TRUE(worker.WaitFor(5000));
    EXPECT_EQ(42u, worker.ExitCode());
}

// The body's own catch is the first line of defence; what gets past it still leaves a trace,
// written on the GUI thread.
TEST(WorkerStop, ABodyThatThrowsEndsTheThreadWithAReportOnTheGuiThread) {
    AppWindow window;
    std::vector<std::string> reported;
    DWORD reportedOn = 0;
    SetFailureReport([&](const std::string& line) {
        reported.push_back(line);
        reportedOn = GetCurrentThreadId();
    });
    WorkerThread worker(
        window, [](WorkerThreadPort&) -> uint32_t { throw std::runtime_error("queue broken"); });
    ASSERT_TRUE(PumpUntil([&] { return !reported.empty(); }, 10000,
                          [&] { return window.ProcessOneMessage(); }));
    SetFailureReport(nullptr);
    EXPECT_EQ(std::vector<std::string>{"Exception in the worker thread, which ends: queue broken"},
              reported);
    EXPECT_EQ(window.GuiThreadId(), reportedOn);
    ASSERT_TRUE(worker.WaitFor(5000));
    EXPECT_EQ(1u, worker.ExitCode());
}

TEST(WorkerSynchronize, FromTheGuiThreadRunsAtOnce) {
    AppWindow window;
    WorkerThread worker(window, [](WorkerThreadPort&) -> uint32_t { return 0; });
    bool ran = false;
    EXPECT_TRUE(worker.Synchronize([&] { ran = GetCurrentThreadId() == window.GuiThreadId(); }));
    EXPECT_TRUE(ran); // no message loop ran in between
}

TEST(WorkerSynchronize, RefusedOnceTheApplicationWindowIsFreed) {
    AppWindow window;
    window.Destroy(); // as after the message loop
    std::atomic<int> result{-1};
    bool ran = false;
    WorkerThread worker(window, [&](WorkerThreadPort& self) -> uint32_t {
        result = self.Synchronize([&] { ran = true; }) ? 1 : 0;
        return 0;
    });
    ASSERT_TRUE(worker.WaitFor(5000));
    EXPECT_EQ(0, result.load());
    EXPECT_FALSE(ran);
}

TEST(WorkerStop, FreeingEndsALoopingWorkerThatKeepsCallingTheGuiThread) {
    AppWindow window;
    std::atomic<int> calls{0};
    std::atomic<bool> returned{false};
    auto worker = std::make_unique<WorkerThread>(window, [&](WorkerThreadPort& self) -> uint32_t {
        while (!self.Terminated()) {
            self.Synchronize([&] { ++calls; });
            Sleep(10);
        }
        returned = true;
        return 0;
    });
    ASSERT_TRUE(
        PumpUntil([&] { return calls >= 3; }, 10000, [&] { return window.ProcessOneMessage(); }));
    // The GUI thread is not pumping here: freeing must still let a call in flight finish.
    worker.reset();
    EXPECT_TRUE(returned.load());
}

TEST(WorkerStop, ABodyThatNeverLooksIsEndedOnlyAfterTheLimit) {
    AppWindow window;
    std::atomic<bool> started{false};
    ScopedKernelHandle never(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    auto worker = std::make_unique<WorkerThread>(window, [&](WorkerThreadPort&) -> uint32_t {
        started = true;
        WaitForSingleObject(never.Get(), INFINITE);
        return 0;
    });
    ASSERT_TRUE(PumpUntil([&] { return started.load(); }, 5000));
    const double before = test::NowMs();
    worker.reset();
    const double took = test::NowMs() - before;
    EXPECT_GE(took, WorkerThread::kStopLimitMs - 100);
    EXPECT_LT(took, WorkerThread::kStopLimitMs + 5000);
}

TEST(WorkerStop, AMessageBoxOfTheBodyEndsOnTheStop) {
    AppWindow window;
    std::atomic<int> answer{-1};
    auto worker = std::make_unique<WorkerThread>(window, [&](WorkerThreadPort&) -> uint32_t {
        answer = MessageBoxA(nullptr, "held", "Korvane test", MB_OK | MB_TOPMOST);
        return 0;
    });
    const DWORD id = worker->ThreadId();
    ASSERT_TRUE(PumpUntil([&] { return test::ui::ShownWindowOf(id) != nullptr; }, 10000));
    const double before = test::NowMs();
    worker.reset();
    const double took = test::NowMs() - before;
    EXPECT_NE(-1, answer.load()); // ended without an answer (Wine gives it as IDOK)
    EXPECT_LT(took, 5000.0);
    std::printf("[ figure ] message box of the worker ended in %.0f ms\n", took);
}

TEST(WorkerStop, AMessageBoxBegunAfterTheStopEndsToo) {
    AppWindow window;
    std::atomic<bool> boxDone{false};
    auto worker = std::make_unique<WorkerThread>(window, [&](WorkerThreadPort& self) -> uint32_t {
        while (!self.Terminated())
            Sleep(5);
        Sleep(100); // the first stop request has long been posted
        MessageBoxA(nullptr, "late", "Korvane test", MB_OK | MB_TOPMOST);
        boxDone = true;
        return 0;
    });
    worker->Terminate();
    ASSERT_TRUE(worker->WaitFor(5000));
    EXPECT_TRUE(boxDone.load());
}

TEST(WorkerSynchronize, ACallAfterTheStopIsRefusedAndDoesNotRun) {
    AppWindow window;
    std::atomic<bool> waiting{false};
    std::atomic<int> results{-1};
    bool ran = false; // GUI-thread state
    auto worker = std::make_unique<WorkerThread>(window, [&](WorkerThreadPort& self) -> uint32_t {
        waiting = true;
        // The body is slow to notice the stop, as inside a long step; its call then comes late.
        while (!self.Terminated())
            Sleep(5);
        results = self.Synchronize([&] { ran = true; }) ? 1 : 0;
        return 0;
    });
    ASSERT_TRUE(PumpUntil([&] { return waiting.load(); }, 10000));
    worker.reset(); // stops it and serves its calls meanwhile
    EXPECT_EQ(0, results.load());
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace korvane

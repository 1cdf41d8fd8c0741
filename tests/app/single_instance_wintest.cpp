// The single-instance claim on a named mutex: within this process and against the built program.
#include "app/single_instance_win.h"

#include "app_program_win.h"
#include "toolkit_wait_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace korvane {
namespace {

std::string TestMutexName() {
    return "KorvaneMonitor.TestMutex." + std::to_string(GetCurrentProcessId());
}

TEST(SingleInstance, ASecondCreationReportsAnotherCopy) {
    const std::string name = TestMutexName();
    const SingleInstanceClaim first = ClaimSingleInstance(name.c_str());
    EXPECT_TRUE(first.IsFirst());
    const SingleInstanceClaim second = ClaimSingleInstance(name.c_str());
    EXPECT_FALSE(second.IsFirst());
}

TEST(SingleInstance, TheClaimEndsWithItsScope) {
    const std::string name = TestMutexName();
    {
        const SingleInstanceClaim claim = ClaimSingleInstance(name.c_str());
        ASSERT_TRUE(claim.IsFirst());
    }
    // Neither owned nor open any more: the next claim creates it anew.
    EXPECT_TRUE(ClaimSingleInstance(name.c_str()).IsFirst());
    // A claim that lost keeps nothing open either.
    {
        const SingleInstanceClaim winner = ClaimSingleInstance(name.c_str());
        EXPECT_FALSE(ClaimSingleInstance(name.c_str()).IsFirst());
    }
    EXPECT_TRUE(ClaimSingleInstance(name.c_str()).IsFirst());
}

// Closing the handle alone would leave the mutex owned by this thread until it ends.
TEST(SingleInstance, TheEndOfTheClaimHandsTheMutexToAWaiter) {
    const std::string name = TestMutexName();
    auto claim = std::make_unique<SingleInstanceClaim>(ClaimSingleInstance(name.c_str()));
    ASSERT_TRUE(claim->IsFirst());
    struct Waiter {
        ScopedKernelHandle mutex;
        DWORD result = WAIT_FAILED;
    } waiter{ScopedKernelHandle(OpenMutexA(SYNCHRONIZE, FALSE, name.c_str()))};
    ASSERT_TRUE(waiter.mutex);
    const ScopedKernelHandle thread(CreateThread(
        nullptr, 0,
        [](void* param) -> DWORD {
            auto& w = *static_cast<Waiter*>(param);
            w.result = WaitForSingleObject(w.mutex.Get(), 10000);
            if (w.result == WAIT_OBJECT_0)
                ReleaseMutex(w.mutex.Get());
            return 0;
        },
        &waiter, 0, nullptr));
    ASSERT_TRUE(thread);
    claim.reset();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread.Get(), 15000));
    EXPECT_EQ(WAIT_OBJECT_0, waiter.result);
}

// The built program, started while this process holds its claim, leaves at once; once the claim
// is gone it starts as the first copy.
TEST(SingleInstance, TheProgramSeesTheClaimOfAnotherProcess) {
    const std::string exe = test::BuiltProgram("sim");
    test::CleanDataFolder clean;
    {
        const SingleInstanceClaim claim = ClaimSingleInstance(kRunningMutexName);
        ASSERT_TRUE(claim.IsFirst());
        test::Process second;
        ASSERT_TRUE(second.Start(exe)) << exe;
        ASSERT_TRUE(second.WaitExit(20000));
        EXPECT_EQ(0u, second.ExitCode());
        EXPECT_EQ(nullptr, test::MainWindowOf(second.Id()));
    }
    test::Process first;
    ASSERT_TRUE(first.Start(exe));
    EXPECT_TRUE(test::PumpUntil([&] { return test::MainWindowOf(first.Id()) != nullptr; }, 30000));
    EXPECT_FALSE(first.WaitExit(0));
    // Its claim in turn keeps this process out.
    EXPECT_FALSE(ClaimSingleInstance(kRunningMutexName).IsFirst());
}

} // namespace
} // namespace korvane

// The Win32 power port under Wine: SetSuspendState is found in powrprof.dll, so hibernate is
// offered. Nothing here powers anything off.
#include "actions/shutdown_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Win32PowerPort, FindsSetSuspendStateAndKeepsTheLibraryLoaded) {
    const std::unique_ptr<PowerPort> port = CreateWin32Power();
    EXPECT_TRUE(port->ResolveSuspendState());
    EXPECT_NE(nullptr, GetModuleHandleA("powrprof.dll"));
    // A second engine finds the already loaded library.
    const std::unique_ptr<PowerPort> again = CreateWin32Power();
    EXPECT_TRUE(again->ResolveSuspendState());

    const std::unique_ptr<OsVersionPort> os = CreateWin32OsVersion();
    TSystemShutdown engine(*port, *os);
    EXPECT_TRUE(engine.HibernateAvailable()); // Wine reports Windows 7
    EXPECT_EQ("shutdown/hibernate engine initiated (hibernate enabled)", EngineStateLine(engine));
}

TEST(Win32PowerPort, AnUnresolvedPortRefusesToSuspend) {
    const std::unique_ptr<PowerPort> port = CreateWin32Power(); // never resolved: nothing to call
    EXPECT_FALSE(port->SetSuspendState(true, false, false));
}

} // namespace
} // namespace korvane

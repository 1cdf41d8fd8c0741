// The Win32 power port under Wine: SetSuspendState is found in powrprof.dll, so hibernate is
// offered. Nothing here powers anything off.
#include "actions/shutdown_win.h"
#include "toolkit/os_version_win.h"
#include "toolkit/win32.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(Win32PowerPort, FindsSetSuspendStateAndKeepsTheLibraryLoaded) {
    Win32PowerPort port;
    EXPECT_TRUE(port.ResolveSuspendState());
    EXPECT_NE(nullptr, GetModuleHandleA("powrprof.dll"));
    // A second engine finds the already loaded library.
    Win32PowerPort again;
    EXPECT_TRUE(again.ResolveSuspendState());

    SystemOsVersion os;
    TSystemShutdown engine(port, os);
    EXPECT_TRUE(engine.HibernateAvailable()); // Wine reports Windows 7
    EXPECT_EQ("shutdown/hibernate engine initiated (hibernate enabled)", EngineStateLine(engine));
}

TEST(Win32PowerPort, AnUnresolvedPortRefusesToSuspend) {
    Win32PowerPort port; // never resolved: no entry point to call
    EXPECT_FALSE(port.SetSuspendState(true, false, false));
}

} // namespace
} // namespace korvane

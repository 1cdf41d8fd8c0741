// TSystemShutdown over a recording power port: the hibernate decision and the steps of each method.
#include "actions/shutdown.h"

#include "fake_os_version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

class RecordingPowerPort final : public PowerPort {
  public:
    bool ResolveSuspendState() override { return entryFound; }
    bool EnableShutdownPrivilege() override {
        calls.push_back("privilege");
        return privilegeHeld;
    }
    bool RequestShutdown() override {
        calls.push_back("shutdown");
        return accepts;
    }
    bool SetSuspendState(bool hibernate, bool force, bool disableWake) override {
        calls.push_back(std::string("suspend ") + (hibernate ? "H" : "-") + (force ? "F" : "-") +
                        (disableWake ? "W" : "-"));
        return accepts;
    }
    bool entryFound = true;
    bool privilegeHeld = true;
    bool accepts = true;
    std::vector<std::string> calls;
};

TEST(SystemShutdown, HibernateDependsOnTheEntryPointAndIsNeverOfferedOnWindows95) {
    struct Case {
        uint32_t platform, major, minor;
        bool entry, available;
    };
    const Case cases[] = {
        {kPlatformWin32Nt, 5, 1, true, true},         {kPlatformWin32Nt, 5, 1, false, false},
        {kPlatformWin32Windows, 4, 0, true, false},   {kPlatformWin32Windows, 4, 10, true, true},
        {kPlatformWin32Windows, 4, 10, false, false}, {kPlatformWin32Nt, 4, 0, true, true},
    };
    for (const Case& c : cases) {
        RecordingPowerPort port;
        port.entryFound = c.entry;
        test::FixedOsVersion os(c.platform, c.major, c.minor);
        TSystemShutdown engine(port, os);
        SCOPED_TRACE(::testing::Message() << c.platform << " " << c.major << "." << c.minor);
        EXPECT_EQ(c.available, engine.HibernateAvailable());
        EXPECT_EQ(c.available ? "shutdown/hibernate engine initiated (hibernate enabled)"
                              : "shutdown/hibernate engine initiated (hibernate disabled)",
                  EngineStateLine(engine));
        EXPECT_EQ(c.available, engine.PowerOff(kPowerOffHibernate));
        // Unavailable hibernate returns at once; the system is never asked.
        EXPECT_EQ(c.available ? std::vector<std::string>{"suspend H--"}
                              : std::vector<std::string>{},
                  port.calls);
    }
}

TEST(SystemShutdown, ShutdownOnNtNeedsThePrivilegeFirst) {
    RecordingPowerPort port;
    test::FixedOsVersion nt(kPlatformWin32Nt, 5, 1);
    TSystemShutdown engine(port, nt);
    EXPECT_TRUE(engine.PowerOff(kPowerOffShutdown));
    EXPECT_EQ((std::vector<std::string>{"privilege", "shutdown"}), port.calls);

    port.calls.clear();
    port.privilegeHeld = false;
    EXPECT_FALSE(engine.PowerOff(kPowerOffShutdown));
    EXPECT_EQ(std::vector<std::string>{"privilege"}, port.calls); // no shutdown request made

    port.calls.clear();
    port.privilegeHeld = true;
    port.accepts = false;
    EXPECT_FALSE(engine.PowerOff(kPowerOffShutdown));
    EXPECT_EQ((std::vector<std::string>{"privilege", "shutdown"}), port.calls);
}

TEST(SystemShutdown, ShutdownOn9xMakesNoTokenStep) {
    RecordingPowerPort port;
    test::FixedOsVersion win98(kPlatformWin32Windows, 4, 10);
    TSystemShutdown engine(port, win98);
    port.privilegeHeld = false;
    EXPECT_TRUE(engine.PowerOff(kPowerOffShutdown));
    EXPECT_EQ(std::vector<std::string>{"shutdown"}, port.calls);
}

TEST(SystemShutdown, UnknownMethodsDoNothing) {
    RecordingPowerPort port;
    test::FixedOsVersion nt(kPlatformWin32Nt, 5, 1);
    TSystemShutdown engine(port, nt);
    for (int32_t method : {2, 3, -1, 255}) {
        EXPECT_FALSE(engine.PowerOff(method)) << method;
    }
    EXPECT_TRUE(port.calls.empty());
}

TEST(SystemShutdown, ARefusedHibernateIsNotFollowedByAShutdown) {
    RecordingPowerPort port;
    port.accepts = false;
    test::FixedOsVersion nt(kPlatformWin32Nt, 5, 1);
    TSystemShutdown engine(port, nt);
    EXPECT_FALSE(engine.PowerOff(kPowerOffHibernate));
    EXPECT_EQ(std::vector<std::string>{"suspend H--"}, port.calls);
}

} // namespace
} // namespace korvane

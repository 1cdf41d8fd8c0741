// The sim build's power services: requests land in power.log, answers come from simulation.ini,
// and the power-off engine over them behaves as over the system's.
#include "actions/shutdown.h"
#include "actions/sim/sim_power_port.h"

#include "fake_clock.h"
#include "fake_os_version.h"
#include "test_env.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

class SimPowerPortTest : public ::testing::Test {
  protected:
    std::string dir = test::FreshTempDir("sim_power_port");
    std::string ini = test::JoinPath(dir, "simulation.ini");
    std::string log = test::JoinPath(dir, "power.log");
    test::FixedClock clock{LocalTime{2026, 12, 8, 7, 5, 9, 0}};
    sim::SimPowerPort port{ini, log, clock};
    test::FixedOsVersion os{kPlatformWin32Nt, 5, 1, 2600};
};

TEST_F(SimPowerPortTest, WithoutAPowerSectionBothMethodsAreOfferedAndAccepted) {
    test::WriteFileBytes(ini, "[PhysicalDrive0]\r\nTemperature=70\r\n");
    TSystemShutdown engine(port, os);
    EXPECT_TRUE(engine.HibernateAvailable());
    EXPECT_TRUE(engine.PowerOff(kPowerOffHibernate));
    EXPECT_TRUE(engine.PowerOff(kPowerOffShutdown));
    EXPECT_FALSE(engine.PowerOff(2)); // no request at all
    EXPECT_EQ("[08/Dec/2026 7:05:09] hibernate accepted\r\n"
              "[08/Dec/2026 7:05:09] shutdown accepted\r\n",
              test::ReadFileBytes(log));
}

TEST_F(SimPowerPortTest, PowerSectionDecidesHibernateAndTheAnswerAtEachRequest) {
    test::WriteFileBytes(ini, "[power]\r\nHibernate=0\r\nAccept=0\r\n");
    TSystemShutdown engine(port, os);
    EXPECT_FALSE(engine.HibernateAvailable());
    EXPECT_FALSE(engine.PowerOff(kPowerOffHibernate)); // unavailable: not even asked
    EXPECT_FALSE(engine.PowerOff(kPowerOffShutdown));
    // The answer is read again for the next request.
    test::WriteFileBytes(ini, "[Power]\r\nAccept=1\r\n");
    EXPECT_TRUE(engine.PowerOff(kPowerOffShutdown));
    EXPECT_EQ("[08/Dec/2026 7:05:09] shutdown refused\r\n"
              "[08/Dec/2026 7:05:09] shutdown accepted\r\n",
              test::ReadFileBytes(log));
}

} // namespace
} // namespace korvane

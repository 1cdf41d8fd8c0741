// The sim build with four disks, one of them warming, and the main icon for every disk: it shows
// the hottest disk's number in that disk's state colours as the warm one passes it, warning and
// critical; a taskbar theme switch redraws every indicator once; the Windows 11 balloon is not
// shown where it is not due.
#include "app_program_win.h"
#include "drives/temperature_icon.h"
#include "drives/temperature_icon_colors.h"
#include "gdi_win.h"
#include "registry_win.h"
#include "settings/location/data_folder.h"
#include "test_env.h"
#include "toolkit/app_window_win.h"
#include "toolkit/win32.h"
#include "toolkit_wait_win.h"
#include "tray_tooltips_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

namespace korvane {
namespace {

constexpr const char* kPersonalize =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
struct TaskbarThemeValue {
    ~TaskbarThemeValue() {
        test::DeleteRegistryValue(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme");
    }
};

// Settings of a user who chose the hottest disk on the main icon and no disk indicators, with
// one-second polls and the first-run levels and colours, alarms off.
void WriteHottestDiskSettings() {
    const std::string data = test::ProgramDataFolder();
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(data), ignored);
    test::WriteFileBytes(data + kSettingsFileName, "[General]\r\n"
                                                   "UseCelsius=1\r\n"
                                                   "ShowMainIcon=3\r\n"
                                                   "LogEnabled=1\r\n"
                                                   "LogDays=3\r\n"
                                                   "[Drive_COMMON]\r\n"
                                                   "PollInterval=1\r\n"
                                                   "PollUnits=0\r\n"
                                                   "ShowDriveTempInTray=3\r\n"
                                                   "NormalTemp_IconTextColor=16711680\r\n"
                                                   "NormalTemp_IconBgColor=536870911\r\n"
                                                   "WarningTemp_IconTextColor=255\r\n"
                                                   "WarningTemp_IconBgColor=536870911\r\n"
                                                   "CriticalTemp_IconTextColor=16777215\r\n"
                                                   "CriticalTemp_IconBgColor=255\r\n"
                                                   "WarningTemp_Level=50\r\n"
                                                   "CriticalTemp_Level=60\r\n");
}

// Three steady disks and one that warms from 40 to 66 degrees and back, over and over, at two
// degrees a second: past the others, through warning and into critical.
std::string FourDisks() {
    std::string ini;
    const int steady[] = {38, 44, 41};
    for (int i = 0; i < 3; ++i) {
        ini += "[PhysicalDrive" + std::to_string(i) + "]\r\nModel=STEADY DISK " +
               std::to_string(i + 1) +
               "\r\nSectors=156301488\r\nTemperature=" + std::to_string(steady[i]) + "\r\n";
    }
    return ini +
           "[PhysicalDrive3]\r\nModel=WARMING DISK\r\nSectors=156301488\r\nRamp=40,66,120\r\n";
}

// The notification area's window of the desktop process.
HWND TrayWindow() {
    if (HWND alone = FindWindowA("__winex11_standalone_tray", nullptr);
        alone && IsWindowVisible(alone))
        return alone;
    for (HWND w = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); w;
         w = FindWindowExA(nullptr, w, "Shell_TrayWnd", nullptr))
        if (IsWindowVisible(w))
            return w;
    return nullptr;
}

// Whether the notification area shows exactly this icon's opaque pixels somewhere.
bool TrayShows(const IconPixels& icon) {
    const HWND tray = TrayWindow();
    if (!tray)
        return false;
    // Wine's tray draws a changed icon over the old one; a repaint shows the new one alone.
    RedrawWindow(tray, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT r{};
    GetClientRect(tray, &r);
    MapWindowPoints(tray, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::vector<uint32_t> screen = test::ScreenPixels(r.left, r.top, w, h);
    if (screen.empty())
        return false;
    for (int oy = 0; oy + kIconSize <= h; ++oy) {
        for (int ox = 0; ox + kIconSize <= w; ++ox) {
            bool all = true;
            for (int y = 0; y < kIconSize && all; ++y)
                for (int x = 0; x < kIconSize && all; ++x)
                    all = !icon.OpaqueAt(x, y) ||
                          (screen[static_cast<size_t>(oy + y) * w + ox + x] & 0xFFFFFF) ==
                              icon.ColorAt(x, y);
            if (all)
                return true;
        }
    }
    return false;
}

// The hottest reading of the main icon's tooltip ("HDD1 38°C, HDD2 44°C, ..."), or -1.
int HottestInTooltip(const std::string& tooltip) {
    int hottest = -1;
    for (size_t at = tooltip.find("HDD"); at != std::string::npos;
         at = tooltip.find("HDD", at + 3)) {
        const size_t blank = tooltip.find(' ', at);
        if (blank == std::string::npos)
            break;
        hottest = std::max(hottest, std::atoi(tooltip.c_str() + blank + 1));
    }
    return hottest;
}

// The icon the main icon must show for the hottest temperature with the first-run levels.
IconPixels Expected(int hottest, const TaskbarLook& look) {
    const int state = hottest >= 60 ? 2 : hottest >= 50 ? 1 : 0;
    const IndicatorColors c = ColorsForTaskbar(kFirstRunIndicatorColors[state], look);
    return ComputeTemperatureIcon(static_cast<uint16_t>(hottest), c.background, c.text);
}

TEST(SimMainIcon, FollowsTheHottestDiskAcrossStatesRedrawsOnceForATheme) {
    test::CleanDataFolder clean;
    TaskbarThemeValue theme;
    WriteHottestDiskSettings();
    test::RunningProgram program;
    ASSERT_TRUE(program.Start(test::SimProgramIn("sim_main_icon", FourDisks()))) << program.failure;
    ASSERT_EQ(nullptr, program.box);

    // Wine reports Windows 7, where new tray icons stay in sight: no balloon is due, and none
    // is stored as shown. (Wine 8 cannot report Windows 11; the rule is tested natively.)
    const std::string ini = test::ReadFileBytes(test::ProgramDataFolder() + kSettingsFileName);
    EXPECT_EQ(std::string::npos, ini.find("TrayPinHintShown")) << ini;

    // Normal (a steady disk at 44, or the warm one below 50), warning and critical: the icon
    // shows the hottest number in its state's colours, whichever disk it is.
    std::set<int> states;
    std::string tooltip;
    const TaskbarLook classic;
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            tooltip = test::TrayTooltipStartingWith("HDD1 ");
            const int hottest = HottestInTooltip(tooltip);
            if (hottest > 0 && TrayShows(Expected(hottest, classic)))
                states.insert(hottest >= 60 ? 2 : hottest >= 50 ? 1 : 0);
            return states.size() == 3;
        },
        60000))
        << states.size() << " states seen; tooltip " << tooltip;
    // Every disk in the tooltip, in drive order.
    EXPECT_EQ(0u, tooltip.find("HDD1 38\xB0"
                               "C, HDD2 44\xB0"
                               "C, HDD3 41\xB0"
                               "C, HDD4 "))
        << tooltip;

    // A switch to the dark taskbar as the shell makes it: the value, then the broadcast, three
    // times. One redraw of all four disks' indicators, and the main icon in the dark colours.
    ASSERT_TRUE(test::SetRegistryDword(HKEY_CURRENT_USER, kPersonalize, "SystemUsesLightTheme", 0));
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                            reinterpret_cast<LPARAM>("ImmersiveColorSet"), SMTO_ABORTIFHUNG, 2000,
                            &ignored);
    }
    const std::string redrawn = "taskbar changed: dark theme, 16-pixel icons, 4 indicators redrawn";
    EXPECT_TRUE(test::PumpUntil([&] { return test::DebugLogHas(redrawn); }, 10000));
    TaskbarLook dark;
    dark.theme = TaskbarTheme::Dark;
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            const int hottest = HottestInTooltip(test::TrayTooltipStartingWith("HDD1 "));
            return hottest > 0 && TrayShows(Expected(hottest, dark));
        },
        20000));

    EXPECT_TRUE(program.Exit());
    const std::vector<std::string> lines = test::DebugMessages();
    EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.rfind("taskbar changed:", 0) == 0;
              }));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), redrawn));
}

} // namespace
} // namespace korvane

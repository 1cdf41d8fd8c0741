// The first-run settings file, written out as the tests expect it.
#include "first_run_settings.h"

namespace korvane::test {

std::string FirstRunSettingsText() {
    const std::string sound = "C:\\Program Files\\Korvane\\Sounds\\twitch.wav";
    return "[General]\r\nUseCelsius=1\r\nShowMainIcon=1\r\nLogEnabled=1\r\nLogDays=3\r\n"
           "[Drive_COMMON]\r\nPollInterval=20\r\nPollUnits=0\r\nShowDriveTempInTray=0\r\n"
           "NormalTemp_IconTextColor=16711680\r\nNormalTemp_IconBgColor=536870911\r\n"
           "WarningTemp_IconTextColor=255\r\nWarningTemp_IconBgColor=536870911\r\n"
           "CriticalTemp_IconTextColor=16777215\r\nCriticalTemp_IconBgColor=255\r\n"
           "WarningTemp_Level=50\r\nCriticalTemp_Level=60\r\nWarningCtl_ShowMessage=1\r\n"
           "WarningCtl_PlaySound=1\r\nWarningCtl_SoundFile=" +
           sound +
           "\r\nWarningCtl_ExecuteApp=0\r\nWarningCtl_Application=\r\nWarningCtl_Poweroff=0\r\n"
           "WarningCtl_PoweroffMethod=1\r\nCriticalCtl_ShowMessage=1\r\n"
           "CriticalCtl_PlaySound=1\r\nCriticalCtl_SoundFile=" +
           sound +
           "\r\nCriticalCtl_ExecuteApp=0\r\nCriticalCtl_Application=\r\n"
           "CriticalCtl_Poweroff=1\r\nCriticalCtl_PoweroffMethod=1\r\n";
}

} // namespace korvane::test

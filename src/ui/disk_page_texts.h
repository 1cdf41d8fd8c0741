// The disk pages' own texts and the layout numbers they are built with.
#pragma once

namespace korvane::disk_page {

// Header.
inline constexpr const char* kCommonCaption = "[ Common Drive Settings ]";
inline constexpr const char* kModelCaption = "Model:";
inline constexpr const char* kSerialCaption = "Serial number:";
inline constexpr const char* kCapacityCaption = "Real capacity:";
inline constexpr const char* kGraphButtonText = "Graph...";
inline constexpr const char* kCommonNote = "NOTE: These settings are used for each hard disk that "
                                           "is configured to use Common Temperature Settings.";

// Outer tabs.
inline constexpr const char* kGeneralTab = "General";
inline constexpr const char* kLevelsTab = "Temperature Levels";
inline constexpr const char* kControlTab = "Temperature Control";

// "General" tab.
inline constexpr const char* kEnableBox = "Enable temperature minitoring for this hard disk";
inline constexpr const char* kCommonBox = "Use Common Temperature settings for this hard disk";
inline constexpr const char* kPollGroup = "Temperature Poll Interval";
inline constexpr const char* kPollLabel = "Poll the hard disk temperature every";
inline constexpr const char* kPollSecond = "second";
inline constexpr const char* kPollMinute = "minute";
inline constexpr const char* kTrayGroup = "Temperature Indicator in the System Tray";
inline constexpr const char* kTrayLabel = "Show the hard disk indicator";
inline constexpr const char* kTrayAlways = "Always";
inline constexpr const char* kTrayOnWarning = "On warning & critical temperature";
inline constexpr const char* kTrayOnCritical = "On critical temperature only";
inline constexpr const char* kTrayNever = "Never";

// "Temperature Levels" tab.
inline constexpr const char* kNormalTab = "Normal";
inline constexpr const char* kWarningTab = "Warning";
inline constexpr const char* kCriticalTab = "Critical";
inline constexpr const char* kNormalGroup = "Normal Temperature";
inline constexpr const char* kWarningGroup = "Warning Temperature";
inline constexpr const char* kCriticalGroup = "Critical Temperature";
inline constexpr const char* kWarningLevelLabel = "Warning Temperature Level";
inline constexpr const char* kCriticalLevelLabel = "Critical Temperature Level";
inline constexpr const char* kUnitCelsius = "\xB0"
                                            "C";
inline constexpr const char* kUnitFahrenheit = "\xB0"
                                               "F";
inline constexpr const char* kTextColorLabel = "Icon Text Color";
inline constexpr const char* kBgColorLabel = "Icon Background Color";
inline constexpr const char* kNormalNote =
    "NOTE: Normal Temperature is a temperature when hard disk is working steady.";
inline constexpr const char* kWarningNote =
    "NOTE: Warning temperature is a temperature when hard disk is getting hot, but it's possible "
    "to continue working.";
inline constexpr const char* kCriticalNote =
    "NOTE: Critical temperature is a temperature when hard disk is getting extremely hot, and can "
    "cause data loss or crash.";

// "Temperature Control" tab.
inline constexpr const char* kWarningControlGroup = "When exceed Warning Temperature";
inline constexpr const char* kCriticalControlGroup = "When exceed Critical Temperature";
inline constexpr const char* kShowMessageBox = "Show notification (Tray Baloon in Win 2000/XP)";
inline constexpr const char* kPlaySoundBox = "Play sound";
inline constexpr const char* kTestSoundButton = ">";
inline constexpr const char* kBrowseButton = "...";
inline constexpr const char* kExecuteAppBox = "Execute external application";
inline constexpr const char* kPoweroffBox = "Power off computer";
inline constexpr const char* kShutdownMethod = "Shutdown";
inline constexpr const char* kHibernateMethod = "Hibernate";

// The sound test and the choosers.
inline constexpr const char* kCannotPlay = "Sorry, can't play that file!";
inline constexpr const char* kChooseSoundTitle = "Choose Sound File";
inline constexpr const char* kSoundFilter =
    "Audio files (*.wav, *.mid)|*.wav;*.mid|All files (*.*)|*.*";
inline constexpr const char* kChooseAppTitle = "Choose Application";
inline constexpr const char* kSoundsFolder = "Sounds";

// Layout: the page fills the settings window's page area.
inline constexpr int kHeaderHeight = 75;
inline constexpr int kCommonHeaderHeight = 60;
inline constexpr int kTabsGap = 8;
inline constexpr int kPictureLeft = 20;
inline constexpr int kPictureTop = 15;
inline constexpr int kPictureSize = 48;
inline constexpr int kCaptionLeft = 93;
inline constexpr int kInfoLabelHeight = 14;
inline constexpr int kInfoTops[3] = {20, 34, 48};
inline constexpr int kIndent = 15;
inline constexpr int kBoxWidth = 60;
inline constexpr int kBoxHeight = 21;
inline constexpr int kSmallButton = 22;

// Limits of the numeric boxes.
inline constexpr int kIntervalMin = 1;
inline constexpr int kIntervalMax = 100;
inline constexpr int kLevelMin = 1;
inline constexpr int kLevelMax = 200;
// In Fahrenheit the lowest level is the lowest that stores 1 degree Celsius: (34 * 5 - 160) / 9
// is 1, while 33, the Fahrenheit of 1 degree Celsius, would store 0.
inline constexpr int kLevelMinFahrenheit = 34;

} // namespace korvane::disk_page

// The product's facts: its name, version and build and the texts that show them, the names it
// registers with Windows, its web and mail addresses, and how KorvaneMonitor starts Postwright.
#pragma once

// The version and build as texts (KORVANE_VERSION_SHORT_TEXT "1.0", KORVANE_BUILD_TEXT "51"),
// written by the build from the top-level CMakeLists.txt, which the version resources, the
// manifests and the installer take them from too.
#include "version_numbers.h"

// The product's name, as a literal so that texts made of it are joined at compile time. The build
// (cmake/Korvane.cmake) reads it and the two names below from here for the installer and the
// scripts: each definition stays on one line.
#define KORVANE_PRODUCT_NAME "Korvane"

namespace korvane {

inline constexpr const char* kProductName = KORVANE_PRODUCT_NAME;

// The names the program registers with Windows: the autostart value and the single-instance mutex.
inline constexpr const char* kAutostartValueName = "Brelo_Korvn";
inline constexpr const char* kRunningMutexName = "KorvaneMonitor.RunningMutex";
// Who publishes the program, as the installer's Add/Remove entry and the winget package name it.
inline constexpr const char* kPublisherName = "The Korvane developers";
// The Application event log's source; the installer registers it under the same name.
inline constexpr const char* kEventSourceName = KORVANE_PRODUCT_NAME;

// The about window's version line.
inline constexpr const char* kAboutVersionText =
    "Version: " KORVANE_VERSION_SHORT_TEXT "  (build " KORVANE_BUILD_TEXT ")";
// The main tray icon's tooltip.
inline constexpr const char* kMainTrayTooltip =
    KORVANE_PRODUCT_NAME " " KORVANE_VERSION_SHORT_TEXT " (build: " KORVANE_BUILD_TEXT ")";
// The debug log's first line of a run, up to the data files path (the line ends with ")").
inline constexpr const char* kStartedLinePrefix = KORVANE_PRODUCT_NAME
    " " KORVANE_VERSION_SHORT_TEXT " started. Build: " KORVANE_BUILD_TEXT ". (data files path: ";

inline constexpr const char* kWebPageAddress = "http://korvane.example/";
inline constexpr const char* kSupportAddress = "support@korvane.example";
inline constexpr const char* kBugReportAddress = "bugs@korvane.example";

// Postwright, in KorvaneMonitor's folder, started with the mail it is to hand to the mail client.
inline constexpr const char* kMailerFileName = "Postwright.exe";
inline constexpr const char* kBugReportArgument = "BUG";
inline constexpr const char* kContactArgument = "CNT";
// The version and build Postwright's bug report names: its own, not the main program's.
inline constexpr const char* kReportedVersion = "1.0 beta 1";
inline constexpr const char* kReportedBuild = KORVANE_POSTWRIGHT_BUILD_TEXT;

} // namespace korvane

// The application-wide services that other parts of the program call through the application.
#pragma once

namespace korvane {

class AppServicesPort {
  public:
    virtual ~AppServicesPort() = default;

    // Ends the program: the main tray icon leaves, the application window closes, the loop ends.
    virtual void ExitApplication() = 0;
    // The application window stands in the task bar for the settings window while it is shown.
    virtual void SyncTaskbarButton() = 0;
    // Asks the system to page out as much of the process as it can.
    virtual void TrimWorkingSet() = 0;
};

} // namespace korvane

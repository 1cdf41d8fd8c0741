// A native test bench for the drive monitor.
#include "monitor_rig.h"

#include "test_env.h"
#include "text_lines.h"
#include "toolkit/text.h"

namespace korvane::test {
MonitorRig::MonitorRig(const std::string& name)
    : dir(FreshTempDir(name)),
      options(std::make_unique<TOptions>(
          OptionsDeps{profile, registry, files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
          dir + "/Korvn.ini")),
      logsFolder(files.CreateFolder(dir + "/logs")),
      logger(std::make_unique<TLogger>(files, clock, *options, dir + "\\")),
      driver(sim::CreateSimulatedDriver(JoinPath(dir, "simulation.ini"))),
      context{*options, *logger, toolkit, icons,   [this] { app.TrimWorkingSet(); },
              *driver,  os,      nullptr, nullptr, nullptr} {
    context.createMenu = [this] { return toolkit.CreatePopupMenu({"qwerty", "-", "qwerty"}); };
    context.applyMenuCaptions = [this](PopupMenuPort& menu) {
        menu.SetText(0, "captioned");
        captioned.push_back(menu.Text(0));
    };
    context.hideBalloon = [this](TrayIconPort& icon) {
        hiddenBalloons.push_back(icon.Identity().id);
    };
    Simulate("");
}

void MonitorRig::Simulate(const std::string& iniText) {
    WriteFileBytes(JoinPath(dir, "simulation.ini"), iniText);
}

std::string MonitorRig::Disk(int number, const std::string& model, int temperature,
                             uint32_t sectors, const std::string& extra) {
    return "[PhysicalDrive" + IntToStr(number) + "]\nModel=" + model + "\nSerial=S" +
           IntToStr(number) + "\nSectors=" + IntToStr(sectors) +
           "\nTemperature=" + IntToStr(temperature) + "\n" + extra;
}

std::vector<std::string> MonitorRig::DebugMessages() const {
    std::vector<std::string> messages;
    for (const std::string& line : ReadLines(dir + "/debug.log")) {
        // "[stamp] " + 9-character level field + " " + message.
        const std::string rest = AfterStamp(line);
        messages.push_back(rest.size() >= 10 ? rest.substr(10) : rest);
    }
    return messages;
}

std::vector<std::string> MonitorRig::TemperatureMessages(const std::string& fileName) const {
    std::vector<std::string> messages;
    for (const std::string& line : ReadLines(dir + "/logs/" + fileName)) {
        messages.push_back(AfterStamp(line));
    }
    return messages;
}

} // namespace korvane::test

// The data folder of the tests that run the program's parts under Wine.
#include "data_folder_rig_win.h"

#include "test_env.h"

namespace korvane::test {

DataFolder::DataFolder(const std::string& name)
    : dir(FreshTempDir(name)),
      options(OptionsDeps{*profile, registry, *files, "C:\\K\\KorvaneMonitor.exe", "C:\\K\\"},
              dir + "\\Korvn.ini") {}

LoggedDataFolder::LoggedDataFolder(const std::string& name) : DataFolder(name) {
    files->CreateFolder(dir + "\\logs"); // the logger expects it
    logger = std::make_unique<TLogger>(*files, *clock, options, dir + "\\");
}

} // namespace korvane::test

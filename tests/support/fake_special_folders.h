// The double of the shell-folder port: the paths it is given, and the folders it was asked for.
#pragma once

#include "settings/location/data_folder.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace korvane::test {

class FakeSpecialFolders final : public SpecialFolderPort {
  public:
    std::string SpecialFolderPath(int32_t csidl) override {
        asked.push_back(csidl);
        auto found = paths.find(csidl);
        return found == paths.end() ? std::string() : found->second;
    }
    std::map<int32_t, std::string> paths;
    std::vector<int32_t> asked;
};

} // namespace korvane::test

// A shell port that remembers every request instead of opening anything.
#pragma once

#include "toolkit/shell_port.h"

#include <string>
#include <vector>

namespace korvane::test {

struct ShellOpen {
    std::string file;
    std::string parameters;
    bool hidden = false;
    bool operator==(const ShellOpen&) const = default;
};

class RecordingShell final : public ShellPort {
  public:
    void Open(const std::string& file, const std::string& parameters, bool hidden) override {
        requests.push_back({file, parameters, hidden});
    }
    std::vector<ShellOpen> requests;
};

} // namespace korvane::test

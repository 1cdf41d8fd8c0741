// A shell port that remembers every request instead of opening anything (about window tests).
#pragma once

#include "toolkit/shell_port.h"

#include <string>
#include <vector>

namespace korvane::test {

struct ShellRequest {
    std::string file;
    std::string parameters;
    bool hidden = false;
    bool operator==(const ShellRequest&) const = default;
};

class AboutRecordingShell final : public ShellPort {
  public:
    void Open(const std::string& file, const std::string& parameters, bool hidden) override {
        requests.push_back({file, parameters, hidden});
    }
    std::vector<ShellRequest> requests;
};

} // namespace korvane::test

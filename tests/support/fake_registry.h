// The registry double: values held in memory, with a count of the changes made.
#pragma once

#include "settings/registry.h"

#include <map>
#include <string>
#include <tuple>

namespace korvane::test {

// A registry held in memory.
class FakeRegistry final : public RegistryPort {
  public:
    struct Value {
        RegistryType type;
        std::string data;
    };
    bool RegistryValueExists(RegistryRoot root, const std::string& path,
                             const std::string& name) override;
    bool RegistryDeleteValue(RegistryRoot root, const std::string& path,
                             const std::string& name) override;
    bool RegistryWriteValue(RegistryRoot root, const std::string& path, const std::string& name,
                            uint32_t size, const void* data, RegistryType type) override;

    const Value* Find(RegistryRoot root, const std::string& path, const std::string& name) const;
    int Changes() const { return changes_; }

  private:
    std::map<std::tuple<RegistryRoot, std::string, std::string>, Value> values_;
    int changes_ = 0;
};

} // namespace korvane::test

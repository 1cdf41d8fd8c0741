// In-memory doubles of the settings ports: profile files, registry and special folders.
#pragma once

#include "settings/location/data_folder.h"
#include "settings/profile.h"
#include "settings/registry.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace korvane::test {

// Profile files held in memory, with sections and keys in the order they were first written.
class FakeProfile final : public ProfilePort {
  public:
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& fallback) override;
    bool WriteText(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

    // Writes to this file fail from now on, as to a read-only file.
    void MakeReadOnly(const std::string& file) { readOnly_.insert(file); }
    bool Exists(const std::string& file) const { return files_.count(file) != 0; }
    int Writes() const { return writes_; }
    // The file as profile text: "[section]" and "key=value" lines, CR LF after each.
    std::string Text(const std::string& file) const;

  private:
    using Section = std::vector<std::pair<std::string, std::string>>;
    std::map<std::string, std::vector<std::pair<std::string, Section>>> files_;
    std::set<std::string> readOnly_;
    int writes_ = 0;
};

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

// The profile double: profile files held in memory.
#pragma once

#include "settings/profile.h"

#include <map>
#include <set>
#include <string>
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

} // namespace korvane::test

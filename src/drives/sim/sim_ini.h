// A small INI reader for simulation.ini, with the profile rules Windows applies to such files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::sim {

class SimIni {
  public:
    // Sections and keys match without regard to case; the first of duplicates wins; values are
    // trimmed and lose one pair of surrounding double quotes; ";" and "#" start comment lines.
    static SimIni Parse(std::string_view text);

    bool HasSection(std::string_view section) const;
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* Find(std::string_view section) const;

    std::vector<Section> sections_;
};

} // namespace korvane::sim

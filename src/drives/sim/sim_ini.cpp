// Parsing simulation.ini without the platform's profile functions, so it works natively too.
#include "drives/sim/sim_ini.h"

#include "toolkit/text.h"

#include <algorithm>

namespace korvane::sim {

namespace {

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

} // namespace

SimIni SimIni::Parse(std::string_view text) {
    SimIni ini;
    Section* current = nullptr;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string line = Trim(std::string(text.substr(start, end - start)));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line[0] == '[') {
            const size_t close = line.find(']');
            if (close == std::string::npos) {
                current = nullptr; // a broken header: its keys belong nowhere
                continue;
            }
            const std::string name = Trim(line.substr(1, close - 1));
            const Section* existing = ini.Find(name);
            if (existing != nullptr) {
                current = nullptr; // the first section of a name wins, as with profile files
            } else {
                ini.sections_.push_back(Section{name, {}});
                current = &ini.sections_.back();
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == std::string::npos) {
            continue;
        }
        const std::string key = Trim(line.substr(0, equals));
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        const bool known = std::any_of(current->entries.begin(), current->entries.end(),
                                       [&](const Entry& e) { return SameText(e.key, key); });
        if (!known && !key.empty()) {
            current->entries.push_back(Entry{key, value});
        }
    }
    return ini;
}

const SimIni::Section* SimIni::Find(std::string_view section) const {
    for (const Section& s : sections_) {
        if (SameText(s.name, section)) {
            return &s;
        }
    }
    return nullptr;
}

bool SimIni::HasSection(std::string_view section) const {
    return Find(section) != nullptr;
}

std::optional<std::string> SimIni::Value(std::string_view section, std::string_view key) const {
    const Section* s = Find(section);
    if (s == nullptr) {
        return std::nullopt;
    }
    for (const Entry& e : s->entries) {
        if (SameText(e.key, key)) {
            return e.value;
        }
    }
    return std::nullopt;
}

} // namespace korvane::sim

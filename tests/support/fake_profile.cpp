// Profile files held in memory.
#include "fake_profile.h"

#include <algorithm>

namespace korvane::test {

std::string FakeProfile::ReadText(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& fallback) {
    auto found = files_.find(file);
    if (found == files_.end()) {
        return fallback;
    }
    for (const auto& [name, keys] : found->second) {
        if (name != section) {
            continue;
        }
        for (const auto& [k, v] : keys) {
            if (k == key) {
                return v;
            }
        }
    }
    return fallback;
}

bool FakeProfile::WriteText(const std::string& file, const std::string& section,
                            const std::string& key, const std::string& value) {
    if (readOnly_.count(file) != 0) {
        return false;
    }
    ++writes_;
    auto& sections = files_[file];
    auto s = std::find_if(sections.begin(), sections.end(),
                          [&](const auto& entry) { return entry.first == section; });
    if (s == sections.end()) {
        sections.emplace_back(section, Section{});
        s = std::prev(sections.end());
    }
    auto k = std::find_if(s->second.begin(), s->second.end(),
                          [&](const auto& entry) { return entry.first == key; });
    if (k == s->second.end()) {
        s->second.emplace_back(key, value);
    } else {
        k->second = value;
    }
    return true;
}

std::string FakeProfile::Text(const std::string& file) const {
    std::string text;
    auto found = files_.find(file);
    if (found == files_.end()) {
        return text;
    }
    for (const auto& [name, keys] : found->second) {
        text += "[" + name + "]\r\n";
        for (const auto& [k, v] : keys) {
            text += k + "=" + v + "\r\n";
        }
    }
    return text;
}

} // namespace korvane::test

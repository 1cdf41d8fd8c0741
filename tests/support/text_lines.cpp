// Reading back the text files the program writes.
#include "text_lines.h"

#include "test_env.h"

namespace korvane::test {

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> ReadLines(const std::string& path) {
    return SplitCrLf(ReadFileBytes(path));
}

std::string AfterStamp(const std::string& line) {
    const size_t close = line.find("] ");
    return close == std::string::npos ? line : line.substr(close + 2);
}

std::string DebugMessage(const std::string& line) {
    constexpr size_t kLevelField = 10;
    const size_t stamp = line.find("] ");
    if (stamp == std::string::npos || line.size() < stamp + 2 + kLevelField)
        return {};
    return line.substr(stamp + 2 + kLevelField);
}

} // namespace korvane::test

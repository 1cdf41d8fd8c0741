// The files a test finds under Wine by a wildcard mask, without the program's own file port.
#pragma once

#include <string>
#include <vector>

namespace korvane::test {

// Names (without folder) of what matches a mask such as "C:\x\*.log", in the order FindFirstFile
// gives them; none when nothing matches.
std::vector<std::string> FileNames(const std::string& mask);

} // namespace korvane::test

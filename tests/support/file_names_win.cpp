// Files found by a wildcard mask.
#include "file_names_win.h"

#include "toolkit/handles_win.h"

namespace korvane::test {

std::vector<std::string> FileNames(const std::string& mask) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    ScopedFind search(FindFirstFileA(mask.c_str(), &found));
    if (!search)
        return names;
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.Get(), &found));
    return names;
}

} // namespace korvane::test

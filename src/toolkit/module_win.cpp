// Where the running program lives.
#include "toolkit/module_win.h"

#include "toolkit/win32.h"

#include <vector>

namespace korvane {

std::string ModulePath() {
    // Paths can exceed MAX_PATH; grow until the name fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (n == 0)
            return {};
        if (n < size)
            return std::string(buffer.data(), n);
    }
    return {};
}

} // namespace korvane

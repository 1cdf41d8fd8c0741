// The special-folder port over the shell's item identifier lists.
#include "settings/location/data_folder.h"

#include "settings/location/shell_folder_win.h"
#include "toolkit/win32.h"

#include <shlobj.h>

namespace korvane {
namespace {

class ShellSpecialFolders final : public SpecialFolderPort {
  public:
    std::string SpecialFolderPath(int32_t csidl) override {
        LPITEMIDLIST items = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr) {
            return {};
        }
        std::string result;
        char buffer[MAX_PATH] = {};
        if (SHGetPathFromIDListA(items, buffer)) {
            result = buffer;
        }
        // The list belongs to the shell's allocator; without one it cannot be freed.
        IMalloc* allocator = nullptr;
        if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
            allocator->Free(items);
            allocator->Release();
        }
        return result;
    }
};

} // namespace

std::unique_ptr<SpecialFolderPort> CreateWin32SpecialFolder() {
    return std::make_unique<ShellSpecialFolders>();
}

} // namespace korvane

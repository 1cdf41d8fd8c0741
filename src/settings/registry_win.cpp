// The registry port over RegOpenKeyA, RegCreateKeyA, RegQueryValueExA, RegSetValueExA.
#include "settings/registry.h"

#include "settings/registry_win.h"
#include "toolkit/handles_win.h"
#include "toolkit/win32.h"

namespace korvane {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32Registry final : public RegistryPort {
  public:
    bool RegistryValueExists(RegistryRoot root, const std::string& path,
                             const std::string& name) override {
        ScopedRegistryKey key;
        if (RegOpenKeyA(RootKey(root), path.c_str(), key.Receive()) != ERROR_SUCCESS) {
            return false;
        }
        return RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }

    bool RegistryDeleteValue(RegistryRoot root, const std::string& path,
                             const std::string& name) override {
        ScopedRegistryKey key;
        if (RegOpenKeyA(RootKey(root), path.c_str(), key.Receive()) != ERROR_SUCCESS) {
            return false;
        }
        return RegDeleteValueA(key.Get(), name.c_str()) == ERROR_SUCCESS;
    }

    bool RegistryWriteValue(RegistryRoot root, const std::string& path, const std::string& name,
                            uint32_t size, const void* data, RegistryType type) override {
        ScopedRegistryKey key;
        if (RegCreateKeyA(RootKey(root), path.c_str(), key.Receive()) != ERROR_SUCCESS) {
            return false;
        }
        return RegSetValueExA(key.Get(), name.c_str(), 0, static_cast<DWORD>(type),
                              static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }
};

} // namespace

std::unique_ptr<RegistryPort> CreateWin32Registry() {
    return std::make_unique<Win32Registry>();
}

} // namespace korvane

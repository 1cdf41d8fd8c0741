// Registry values for test set-ups.
#include "registry_win.h"

#include "toolkit/handles_win.h"

namespace korvane::test {
namespace {

bool SetValue(HKEY root, const std::string& key, const char* name, DWORD type, const void* data,
              DWORD size) {
    ScopedRegistryKey handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.Receive(),
                        nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(handle.Get(), name, 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

} // namespace

bool SetRegistryString(HKEY root, const std::string& key, const char* name,
                       const std::string& value) {
    return SetValue(root, key, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool SetRegistryDword(HKEY root, const std::string& key, const char* name, DWORD value) {
    return SetValue(root, key, name, REG_DWORD, &value, sizeof value);
}

void DeleteRegistryValue(HKEY root, const std::string& key, const char* name) {
    ScopedRegistryKey handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, handle.Receive()) == ERROR_SUCCESS)
        RegDeleteValueA(handle.Get(), name);
}

} // namespace korvane::test

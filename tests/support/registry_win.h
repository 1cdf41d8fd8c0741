// Registry values that tests set up and take down under Wine, each key opened for the one call.
#pragma once

#include "toolkit/win32.h"

#include <string>

namespace korvane::test {

// A REG_SZ value (`name` null: the key's default value), the key created when missing.
bool SetRegistryString(HKEY root, const std::string& key, const char* name,
                       const std::string& value);
// A REG_DWORD value, the key created when missing.
bool SetRegistryDword(HKEY root, const std::string& key, const char* name, DWORD value);
// Removes a value; nothing happens when the key or the value is not there.
void DeleteRegistryValue(HKEY root, const std::string& key, const char* name);

} // namespace korvane::test

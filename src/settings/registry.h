// Registry helpers and the autostart value that starts the program at the user's log-on.
#pragma once

#include "settings/keys.h"
#include "toolkit/product.h"

#include <cstdint>
#include <memory>
#include <string>

namespace korvane {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Registry value types, numbered as the registry numbers them.
enum class RegistryType : uint32_t { String = 1 };

// The registry services, each opening, using and closing its key within one call.
class RegistryPort {
  public:
    virtual ~RegistryPort() = default;
    // True when the key opens and the value can be queried.
    virtual bool RegistryValueExists(RegistryRoot root, const std::string& path,
                                     const std::string& name) = 0;
    // True when the key opens and the value is deleted.
    virtual bool RegistryDeleteValue(RegistryRoot root, const std::string& path,
                                     const std::string& name) = 0;
    // True when the key is opened or created and the value is set.
    virtual bool RegistryWriteValue(RegistryRoot root, const std::string& path,
                                    const std::string& name, uint32_t size, const void* data,
                                    RegistryType type) = 0;
};

// The autostart location: the current user's Run key; the value's name, kAutostartValueName, is
// a product fact (toolkit/product.h).
inline constexpr const char* kAutostartKeyPath = key::AutostartPath.name;

// A string value, stored with its terminating zero.
bool RegistryWriteString(RegistryPort& registry, RegistryRoot root, const std::string& path,
                         const std::string& name, const std::string& text);

bool AutostartEnabled(RegistryPort& registry, const std::string& valueName);
// The Run command for a program file: its path in double quotes, so that Windows never tries a
// shorter path at a blank ("C:\Program.exe" for "C:\Program Files\..."). A path that is already
// quoted is kept as it is.
std::string AutostartCommand(const std::string& programPath);
// With `enable`, writes the command for `programPath` as the value; otherwise removes the value
// when it exists.
void SetAutostart(RegistryPort& registry, const std::string& valueName,
                  const std::string& programPath, bool enable);

} // namespace korvane

// Registry string values and the autostart switch.
#include "settings/registry.h"

namespace korvane {

bool RegistryWriteString(RegistryPort& registry, RegistryRoot root, const std::string& path,
                         const std::string& name, const std::string& text) {
    return registry.RegistryWriteValue(root, path, name, static_cast<uint32_t>(text.size() + 1),
                                       text.c_str(), RegistryType::String);
}

bool AutostartEnabled(RegistryPort& registry, const std::string& valueName) {
    return registry.RegistryValueExists(RegistryRoot::CurrentUser, kAutostartKeyPath, valueName);
}

std::string AutostartCommand(const std::string& programPath) {
    if (programPath.size() >= 2 && programPath.front() == '"' && programPath.back() == '"') {
        return programPath;
    }
    return '"' + programPath + '"';
}

void SetAutostart(RegistryPort& registry, const std::string& valueName,
                  const std::string& programPath, bool enable) {
    if (enable) {
        RegistryWriteString(registry, RegistryRoot::CurrentUser, kAutostartKeyPath, valueName,
                            AutostartCommand(programPath));
    } else if (registry.RegistryValueExists(RegistryRoot::CurrentUser, kAutostartKeyPath,
                                            valueName)) {
        registry.RegistryDeleteValue(RegistryRoot::CurrentUser, kAutostartKeyPath, valueName);
    }
}

} // namespace korvane

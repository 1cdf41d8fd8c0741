// The registry held in memory.
#include "fake_registry.h"

namespace korvane::test {

bool FakeRegistry::RegistryValueExists(RegistryRoot root, const std::string& path,
                                       const std::string& name) {
    return Find(root, path, name) != nullptr;
}

bool FakeRegistry::RegistryDeleteValue(RegistryRoot root, const std::string& path,
                                       const std::string& name) {
    ++changes_;
    return values_.erase({root, path, name}) != 0;
}

bool FakeRegistry::RegistryWriteValue(RegistryRoot root, const std::string& path,
                                      const std::string& name, uint32_t size, const void* data,
                                      RegistryType type) {
    ++changes_;
    values_[{root, path, name}] = Value{type, std::string(static_cast<const char*>(data), size)};
    return true;
}

const FakeRegistry::Value* FakeRegistry::Find(RegistryRoot root, const std::string& path,
                                              const std::string& name) const {
    auto found = values_.find({root, path, name});
    return found == values_.end() ? nullptr : &found->second;
}

} // namespace korvane::test

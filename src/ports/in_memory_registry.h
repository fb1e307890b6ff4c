#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry_port.h"

// A registry held in memory, for tests and tools without Windows. It keeps
// the rules the program meets on Windows: case-blind names, keys opened
// with an access that decides what they may do, and roots that a standard
// user may only read.
class InMemoryRegistry : public RegistryPort {
public:
    InMemoryRegistry();
    ~InMemoryRegistry() override;
    InMemoryRegistry(const InMemoryRegistry&) = delete;
    InMemoryRegistry& operator=(const InMemoryRegistry&) = delete;

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path, RegistryAccess access) override;

    // From now on keys of this root can be opened for reading only and no key
    // can be created there, as for a user without administrator rights.
    void RefuseWrites(RegistryRoot root);

    // Direct access that ignores the refusal, for preparing and checking.
    void PutValue(RegistryRoot root, const std::string& path, const std::string& name, const RegistryValue& value);
    std::optional<RegistryValue> GetValue(RegistryRoot root, const std::string& path, const std::string& name) const;
    bool KeyExists(RegistryRoot root, const std::string& path) const;
    // "set NAME" and "delete NAME" for every change made through keys, in order.
    std::vector<std::string> Journal() const;

    struct Store;

private:
    std::shared_ptr<Store> store_;
};

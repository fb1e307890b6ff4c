#pragma once
#include "registry_port.h"

// The system registry through the ANSI Reg* functions of advapi32.
class Win32Registry : public RegistryPort {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path, RegistryAccess access) override;
};

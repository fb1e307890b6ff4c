#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>

#include "registry_contract.h"
#include "registry_port_win32.h"

namespace {

constexpr char kTestsParent[] = "Software\\VorlaneTests";

// A scratch key of this process under HKEY_CURRENT_USER, removed before and
// after each test.
class Win32Environment {
public:
    Win32Environment() : path_(std::string(kTestsParent) + "\\Registry" + std::to_string(GetCurrentProcessId())) {
        RemoveScratchKey();
    }
    ~Win32Environment() {
        RemoveScratchKey();
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestsParent);  // only when nothing else is left in it
    }
    Win32Environment(const Win32Environment&) = delete;
    Win32Environment& operator=(const Win32Environment&) = delete;

    RegistryPort& Port() { return registry_; }
    RegistryRoot Root() const { return RegistryRoot::CurrentUser; }
    std::string Path() const { return path_; }
    std::string UpperCasePath() const {
        std::string upper = path_;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return upper;
    }

private:
    void RemoveScratchKey() { RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }

    Win32Registry registry_;
    std::string path_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Environment);

#include "settings/settings_store.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>

#include "resource_ids.h"
#include "password_scrambling.h"
#include "registry_values.h"
#include "settings/startup_registration.h"

namespace {

constexpr char kDefaultRouterAddress[] = "192.168.123.254:80";
constexpr char kDefaultRefreshRate[] = "30";
constexpr char kDefaultPassword[] = "vesto";
// Shown in edit box 1009 instead of the password.
constexpr char kPasswordMask[] = "*********";

constexpr char kRouterAddressValue[] = "routerAddress";
constexpr char kRefreshRateValue[] = "refreshRate";
constexpr char kExternalApiValue[] = "externalApi";
constexpr char kPasswordValue[] = "password";
constexpr char kLastDateValue[] = "lastDate";
constexpr char kPopupValue[] = "popupOnIntrusion";
constexpr char kIntrudersWindowValue[] = "intrudersWindow";

constexpr std::size_t kTextBufferSize = 100;
constexpr std::size_t kExternalApiBufferSize = 260;
constexpr std::size_t kLastDateBufferSize = 4;
// Left, top and the column widths, four bytes each.
constexpr std::size_t kLayoutFields = 2 + kIntruderColumnCount;
constexpr std::size_t kLayoutBufferSize = 4 * kLayoutFields;
// Large enough for the scrambled form of the longest text an edit box takes
// by default (32767 characters), so long passwords load whole.
constexpr std::size_t kPasswordBufferSize = 1 + 32767 + 1;

struct CheckOption {
    const char* valueName;
    int controlId;
    bool checkedWhenMissing;
};

constexpr CheckOption kAlert{"alert", IDC_ALERT, true};
constexpr CheckOption kAutoLaunchExternal{"autoLaunchExternal", IDC_AUTO_LAUNCH, false};
constexpr CheckOption kAutofill{"autofill", IDC_AUTOFILL, true};
constexpr CheckOption kLogGmt{"logGMT", IDC_LOG_GMT, true};
constexpr CheckOption kOnlyIntrusion{"onlyIntrusion", IDC_ONLY_INTRUSION, false};
constexpr CheckOption kLogToFile{"logToFile", IDC_LOG_TO_FILE, true};
constexpr CheckOption kAutoStart{"autoStart", IDC_AUTO_START, true};
constexpr CheckOption kKeepAnimation{"keepAnimation", IDC_KEEP_ANIMATION, true};
constexpr CheckOption kRememberDate{"rememberDate", IDC_REMEMBER_DATE, false};
// The radio group: its own rules, in the same lists.
constexpr CheckOption kDateFormat{"dateformat", 0, false};

// Loading reads the values in one order and saving writes them in another,
// the order in which they stand in the key.
constexpr const CheckOption* kLoadOrder[] = {&kAlert,     &kAutoLaunchExternal, &kAutofill, &kDateFormat,
                                             &kLogGmt,    &kOnlyIntrusion,      &kLogToFile, &kAutoStart,
                                             &kKeepAnimation, &kRememberDate};
constexpr const CheckOption* kSaveOrder[] = {&kAutofill,     &kDateFormat, &kAlert,     &kKeepAnimation,
                                             &kRememberDate, &kOnlyIntrusion, &kLogGmt, &kLogToFile,
                                             &kAutoStart,    &kAutoLaunchExternal};

enum DateFormatCode : std::uint32_t { kWindowsFormat = 0, kShortFormat = 1, kLongFormat = 2 };

// --- Loading ---

void ApplyFirstRunDefaults(MonitorContext& context) {
    DialogPort& dialog = context.dialog;
    dialog.SetText(IDC_ROUTER_ADDRESS, kDefaultRouterAddress);
    dialog.SetText(IDC_PASSWORD, kPasswordMask);
    context.state.routerPassword.Set(kDefaultPassword);
    dialog.SetText(IDC_REFRESH_RATE, kDefaultRefreshRate);
    dialog.SetChecked(IDC_ONLY_INTRUSION, false);
    for (int id : {IDC_ALERT, IDC_LOG_TO_FILE, IDC_AUTO_START, IDC_KEEP_ANIMATION}) dialog.SetChecked(id, true);
}

void LoadCheckOption(DialogPort& dialog, RegistryKey& key, const CheckOption& option) {
    if (const auto state = ReadDword(key, option.valueName)) {
        dialog.SetCheckState(option.controlId, *state);
    } else {
        dialog.SetChecked(option.controlId, option.checkedWhenMissing);
    }
}

void SelectDateFormat(DialogPort& dialog, std::uint32_t code) {
    const int selected = code == kWindowsFormat ? IDC_WINDOWS_FORMAT
                         : code == kShortFormat ? IDC_SHORT_FORMAT
                                                : IDC_LONG_FORMAT;
    for (int id : {IDC_WINDOWS_FORMAT, IDC_SHORT_FORMAT, IDC_LONG_FORMAT}) dialog.SetChecked(id, id == selected);
}

void LoadDwordOptions(DialogPort& dialog, RegistryKey& key) {
    for (const CheckOption* option : kLoadOrder) {
        if (option == &kDateFormat) {
            SelectDateFormat(dialog, ReadDword(key, kDateFormat.valueName).value_or(kWindowsFormat));
        } else {
            LoadCheckOption(dialog, key, *option);
        }
    }
}

void LoadTextOptions(MonitorContext& context, RegistryKey& key) {
    context.dialog.SetText(IDC_ROUTER_ADDRESS,
                           ReadText(key, kRouterAddressValue, kTextBufferSize).value_or(kDefaultRouterAddress));
    const std::string refreshRate = ReadText(key, kRefreshRateValue, kTextBufferSize).value_or("");
    context.dialog.SetText(IDC_REFRESH_RATE, refreshRate.empty() ? kDefaultRefreshRate : refreshRate);
    if (auto externalApi = key.QueryUnicodeText(kExternalApiValue, kExternalApiBufferSize)) {
        context.state.externalProgramPath.Set(std::move(*externalApi));
    }
}

void LoadPassword(MonitorContext& context, RegistryKey& key) {
    context.dialog.SetText(IDC_PASSWORD, kPasswordMask);
    const auto stored = ReadBinary(key, kPasswordValue, kPasswordBufferSize);
    context.state.routerPassword.Set(stored ? PasswordFromStoredValue(*stored) : kDefaultPassword);
}

void LoadLastDate(MonitorState& state, RegistryKey& key) {
    const auto stored = ReadBinary(key, kLastDateValue, kLastDateBufferSize);
    state.lastDate = static_cast<std::int32_t>(stored ? FromLittleEndianBytes(*stored) : 0);
}

// Read back exactly as written; anything else keeps the window's own layout.
std::optional<IntrudersWindowLayout> LayoutFromBytes(const std::optional<std::string>& bytes) {
    if (!bytes || bytes->size() != kLayoutBufferSize) return std::nullopt;
    std::array<int, kLayoutFields> fields{};
    for (std::size_t i = 0; i < kLayoutFields; ++i) {
        fields[i] = static_cast<std::int32_t>(FromLittleEndianBytes(std::string_view(*bytes).substr(4 * i, 4)));
    }
    IntrudersWindowLayout layout{fields[0], fields[1], {}};
    std::copy(fields.begin() + 2, fields.end(), layout.columnWidths.begin());
    return layout;
}

std::string BytesOfLayout(const IntrudersWindowLayout& layout) {
    std::string bytes = LittleEndianBytes(static_cast<std::uint32_t>(layout.left)) +
                        LittleEndianBytes(static_cast<std::uint32_t>(layout.top));
    for (int width : layout.columnWidths) bytes += LittleEndianBytes(static_cast<std::uint32_t>(width));
    return bytes;
}

void LoadIntrudersOptions(MonitorState& state, RegistryKey& key) {
    state.popupOnIntrusion = ReadDword(key, kPopupValue).value_or(1) != 0;
    state.intrudersLayout = LayoutFromBytes(ReadBinary(key, kIntrudersWindowValue, kLayoutBufferSize));
}

std::unique_ptr<RegistryKey> OpenOptionsKeyForLoading(RegistryPort& registry, const std::string& keyPath) {
    if (auto userKey = registry.OpenKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::QueryValue)) {
        return userKey;
    }
    return registry.OpenKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::QueryValue);
}

// --- Saving ---

void SaveCheckOption(DialogPort& dialog, RegistryKey& key, const CheckOption& option) {
    WriteDword(key, option.valueName, dialog.GetCheckState(option.controlId));
}

std::uint32_t SelectedDateFormat(DialogPort& dialog) {
    if (dialog.IsChecked(IDC_WINDOWS_FORMAT)) return kWindowsFormat;
    if (dialog.IsChecked(IDC_SHORT_FORMAT)) return kShortFormat;
    return kLongFormat;
}

void SaveDwordOptions(DialogPort& dialog, RegistryKey& key) {
    for (const CheckOption* option : kSaveOrder) {
        if (option == &kDateFormat) {
            WriteDword(key, kDateFormat.valueName, SelectedDateFormat(dialog));
        } else {
            SaveCheckOption(dialog, key, *option);
        }
    }
}

void SaveTextOptions(MonitorContext& context, RegistryKey& key) {
    WriteText(key, kRefreshRateValue, context.dialog.GetText(IDC_REFRESH_RATE));
    WriteText(key, kRouterAddressValue, context.dialog.GetText(IDC_ROUTER_ADDRESS));
    key.SetUnicodeText(kExternalApiValue, context.state.externalProgramPath.Get());
}

// While the box shows the mask the user has not touched the password.
void SaveChangedPassword(MonitorContext& context, RegistryKey& key) {
    if (context.dialog.GetText(IDC_PASSWORD) == kPasswordMask) return;
    WriteBinary(key, kPasswordValue, StoredPasswordValue(context.state.routerPassword.Get()));
}

void WriteLastDate(MonitorState& state, RegistryKey& key) {
    WriteBinary(key, kLastDateValue, LittleEndianBytes(static_cast<std::uint32_t>(state.lastDate.load())));
}

void SaveIntrudersOptions(MonitorState& state, RegistryKey& key) {
    WriteDword(key, kPopupValue, state.popupOnIntrusion ? 1 : 0);
    if (state.intrudersLayout) WriteBinary(key, kIntrudersWindowValue, BytesOfLayout(*state.intrudersLayout));
}

// A fresh key of the user's holds no password; the one in use came from the
// machine's key, so it moves along unchanged.
void CopyMachinePassword(RegistryPort& registry, const std::string& keyPath, RegistryKey& userKey) {
    auto machineKey = registry.OpenKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::QueryValue);
    if (!machineKey) return;
    if (auto stored = machineKey->QueryValue(kPasswordValue, kPasswordBufferSize)) {
        userKey.SetValue(kPasswordValue, *stored);
    }
}

std::unique_ptr<RegistryKey> OpenOptionsKeyForSaving(RegistryPort& registry, const std::string& keyPath) {
    // The user's key is the one the next load reads.
    if (auto userKey = registry.OpenKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::AllAccess)) {
        return userKey;
    }
    if (auto machineKey = registry.CreateKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::AllAccess)) {
        return machineKey;
    }
    // Without administrator rights the machine's key is read-only.
    auto userKey = registry.CreateKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::AllAccess);
    if (userKey) CopyMachinePassword(registry, keyPath, *userKey);
    return userKey;
}

void ShowStartupRegistration(DialogPort& dialog, StartupRegistration registration) {
    if (registration == StartupRegistration::NoRunKey) return;
    dialog.SetChecked(IDC_LAUNCH_AT_STARTUP, registration == StartupRegistration::Registered);
    if (registration == StartupRegistration::AnotherProgram) {
        dialog.ShowMessage(kAnotherProgramRegisteredWarning, MessageButtons::Ok);
    }
}

}  // namespace

void LoadSettings(MonitorContext& context, RegistryPort& registry, const std::string& keyPath) {
    if (auto key = OpenOptionsKeyForLoading(registry, keyPath)) {
        LoadDwordOptions(context.dialog, *key);
        LoadTextOptions(context, *key);
        LoadPassword(context, *key);
        LoadLastDate(context.state, *key);
        LoadIntrudersOptions(context.state, *key);
    } else {
        ApplyFirstRunDefaults(context);
    }
    ShowStartupRegistration(context.dialog, ReadStartupRegistration(registry, context.system.ExecutablePath()));
}

void SaveSettings(MonitorContext& context, RegistryPort& registry, const std::string& keyPath) {
    if (auto key = OpenOptionsKeyForSaving(registry, keyPath)) {
        SaveDwordOptions(context.dialog, *key);
        SaveTextOptions(context, *key);
        SaveChangedPassword(context, *key);
        WriteLastDate(context.state, *key);
        SaveIntrudersOptions(context.state, *key);
    }
    SaveStartupRegistration(context.dialog.IsChecked(IDC_LAUNCH_AT_STARTUP), registry, context.system.ExecutablePath());
}

void SaveLastDate(MonitorState& state, RegistryPort& registry, const std::string& keyPath) {
    // Into the key the next load reads; if neither can be written, the exit saves it.
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::Write);
    if (!key) key = registry.OpenKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::Write);
    if (key) WriteLastDate(state, *key);
}

#include "settings/settings_store.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "multi_string.h"
#include "settings/password_store.h"
#include "registry_values.h"

namespace {

constexpr char kDefaultRouterAddress[] = "192.168.123.254:80";
constexpr char kDefaultRefreshRate[] = "30";
constexpr char kDefaultPassword[] = "vesto";

constexpr char kRouterAddressValue[] = "routerAddress";
constexpr char kRefreshRateValue[] = "refreshRate";
constexpr char kExternalApiValue[] = "externalApi";
constexpr char kLastDateValue[] = "lastDate";
constexpr char kPopupValue[] = "popupOnIntrusion";
constexpr char kPopupOnTroubleValue[] = "popupOnTrouble";
constexpr char kIntrudersWindowValue[] = "intrudersWindow";
constexpr char kSyslogEnabledValue[] = "syslogEnabled";
constexpr char kSyslogPortValue[] = "syslogPort";
constexpr char kSyslogAnySenderValue[] = "syslogAnySender";
constexpr char kIntrudersMoreColumnsValue[] = "intrudersMoreColumns";
constexpr char kIgnoredAddressesValue[] = "ignoredAddresses";
constexpr char kQuietRepeatValue[] = "quietRepeatMinutes";

constexpr std::size_t kTextBufferSize = 100;
constexpr std::size_t kExternalApiBufferSize = 260;
constexpr std::size_t kLastDateBufferSize = 4;
// Left, top and the widths of the first six columns, four bytes each; the
// widths of the columns added since then follow in a value of their own.
constexpr std::size_t kFirstColumns = 6;
constexpr std::size_t kLayoutFields = 2 + kFirstColumns;
constexpr std::size_t kLayoutBufferSize = 4 * kLayoutFields;
constexpr std::size_t kMoreColumnsBufferSize = 4 * (kIntruderColumnCount - kFirstColumns);
// The window's entries take far less; the room is for a value edited by
// hand, whose malformed entries are skipped, not the whole list.
constexpr std::size_t kIgnoredAddressesCharacters = 1 << 20;

struct CheckOption {
    const char* valueName;
    CheckState Options::*option;
    bool checkedWhenMissing;
};

constexpr CheckOption kAlert{"alert", &Options::alert, true};
constexpr CheckOption kAutoLaunchExternal{"autoLaunchExternal", &Options::autoLaunchExternal, false};
constexpr CheckOption kAutofill{"autofill", &Options::autofill, true};
constexpr CheckOption kLogGmt{"logGMT", &Options::logGMT, true};
constexpr CheckOption kOnlyIntrusion{"onlyIntrusion", &Options::onlyIntrusion, false};
constexpr CheckOption kLogToFile{"logToFile", &Options::logToFile, true};
constexpr CheckOption kAutoStart{"autoStart", &Options::autoStart, true};
constexpr CheckOption kKeepAnimation{"keepAnimation", &Options::keepAnimation, true};
constexpr CheckOption kRememberDate{"rememberDate", &Options::rememberDate, false};
// The radio group: its own rules, in the same lists.
constexpr CheckOption kDateFormat{"dateformat", nullptr, false};

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

Options FirstRunOptions() {
    Options options;
    options.routerAddress = kDefaultRouterAddress;
    options.routerPassword = kDefaultPassword;
    options.refreshRate = kDefaultRefreshRate;
    options.alert = options.logToFile = options.autoStart = options.keepAnimation = 1;
    return options;
}

DateFormat DateFormatOfCode(std::uint32_t code) {
    if (code == kWindowsFormat) return DateFormat::Windows;
    if (code == kShortFormat) return DateFormat::Short;
    return DateFormat::Long;
}

void LoadDwordOptions(RegistryKey& key, Options& options) {
    for (const CheckOption* check : kLoadOrder) {
        if (check == &kDateFormat) {
            options.dateFormat = DateFormatOfCode(ReadDword(key, kDateFormat.valueName).value_or(kWindowsFormat));
        } else {
            options.*check->option = ReadDword(key, check->valueName).value_or(check->checkedWhenMissing ? 1 : 0);
        }
    }
}

void LoadTextOptions(RegistryKey& key, Options& options) {
    options.routerAddress = ReadText(key, kRouterAddressValue, kTextBufferSize).value_or(kDefaultRouterAddress);
    const std::string refreshRate = ReadText(key, kRefreshRateValue, kTextBufferSize).value_or("");
    options.refreshRate = refreshRate.empty() ? kDefaultRefreshRate : refreshRate;
    if (auto externalApi = key.QueryUnicodeText(kExternalApiValue, kExternalApiBufferSize)) {
        options.externalProgramPath = std::move(*externalApi);
    }
}

// A time ahead of the clock would hide every entry until then, across restarts.
std::int32_t LoadLastDate(RegistryKey& key, std::int64_t now) {
    const auto stored = ReadBinary(key, kLastDateValue, kLastDateBufferSize);
    const auto lastDate = static_cast<std::int32_t>(stored ? FromLittleEndianBytes(*stored) : 0);
    return lastDate > now ? static_cast<std::int32_t>(now) : lastDate;
}

std::vector<int> FieldsOf(std::string_view bytes) {
    std::vector<int> fields;
    for (; bytes.size() >= 4; bytes.remove_prefix(4)) {
        fields.push_back(static_cast<std::int32_t>(FromLittleEndianBytes(bytes.substr(0, 4))));
    }
    return fields;
}

// Read back exactly as written; anything else keeps the window's own layout.
// The later columns' widths are taken as far as they are stored.
std::optional<IntrudersWindowLayout> LayoutFromBytes(const std::optional<std::string>& bytes,
                                                     const std::optional<std::string>& moreColumns) {
    if (!bytes || bytes->size() != kLayoutBufferSize) return std::nullopt;
    const std::vector<int> fields = FieldsOf(*bytes);
    const std::vector<int> more = FieldsOf(moreColumns.value_or(""));
    IntrudersWindowLayout layout{fields[0], fields[1], {}};
    layout.columnWidths.fill(-1);
    std::copy(fields.begin() + 2, fields.end(), layout.columnWidths.begin());
    std::copy(more.begin(), more.end(), layout.columnWidths.begin() + kFirstColumns);
    return layout;
}

std::string BytesOfWidths(const int* first, const int* last) {
    std::string bytes;
    for (; first != last; ++first) bytes += LittleEndianBytes(static_cast<std::uint32_t>(*first));
    return bytes;
}

void LoadIntrudersOptions(RegistryKey& key, Options& options) {
    options.popupOnIntrusion = ReadDword(key, kPopupValue).value_or(1) != 0;
    options.popupOnTrouble = ReadDword(key, kPopupOnTroubleValue).value_or(1) != 0;
    options.intrudersLayout = LayoutFromBytes(ReadBinary(key, kIntrudersWindowValue, kLayoutBufferSize),
                                              ReadBinary(key, kIntrudersMoreColumnsValue, kMoreColumnsBufferSize));
    if (auto ignored = key.QueryUnicodeTexts(kIgnoredAddressesValue, kIgnoredAddressesCharacters)) {
        options.ignoredAddresses = IgnoreList(SplitMultiString(*ignored));
    }
    const auto quietMinutes = ReadDword(key, kQuietRepeatValue).value_or(kQuietRepeatOff);
    options.quietRepeatMinutes = QuietRepeatMinutesFromStored(quietMinutes);
}

void LoadSyslogOptions(RegistryKey& key, Options& options) {
    options.syslogEnabled = ReadDword(key, kSyslogEnabledValue).value_or(0) != 0;
    const std::uint32_t port = ReadDword(key, kSyslogPortValue).value_or(kDefaultSyslogPort);
    // A port no socket can have is no choice of the user's.
    options.syslogPort = port >= 1 && port <= 65535 ? static_cast<std::uint16_t>(port) : kDefaultSyslogPort;
    options.syslogAnySender = ReadDword(key, kSyslogAnySenderValue).value_or(0) != 0;
}

std::unique_ptr<RegistryKey> OpenOptionsKeyForLoading(RegistryPort& registry, const std::string& keyPath) {
    if (auto userKey = registry.OpenKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::QueryValue)) {
        return userKey;
    }
    return registry.OpenKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::QueryValue);
}

// --- Saving ---

std::uint32_t DateFormatCodeOf(const Options& options) {
    switch (LogDateFormat(options)) {
    case DateFormat::Windows: return kWindowsFormat;
    case DateFormat::Short: return kShortFormat;
    case DateFormat::Long: break;
    }
    return kLongFormat;
}

void SaveDwordOptions(const Options& options, RegistryKey& key) {
    for (const CheckOption* check : kSaveOrder) {
        if (check == &kDateFormat) {
            WriteDword(key, kDateFormat.valueName, DateFormatCodeOf(options));
        } else {
            WriteDword(key, check->valueName, options.*check->option);
        }
    }
}

void SaveTextOptions(const Options& options, RegistryKey& key) {
    WriteText(key, kRefreshRateValue, options.refreshRate);
    WriteText(key, kRouterAddressValue, options.routerAddress);
    key.SetUnicodeText(kExternalApiValue, options.externalProgramPath);
}

void WriteLastDate(std::int32_t lastDate, RegistryKey& key) {
    WriteBinary(key, kLastDateValue, LittleEndianBytes(static_cast<std::uint32_t>(lastDate)));
}

void SaveIntrudersOptions(const Options& options, RegistryKey& key) {
    WriteDword(key, kPopupValue, options.popupOnIntrusion ? 1 : 0);
    WriteDword(key, kPopupOnTroubleValue, options.popupOnTrouble ? 1 : 0);
    if (const auto& layout = options.intrudersLayout) {
        const int* widths = layout->columnWidths.data();
        WriteBinary(key, kIntrudersWindowValue,
                    LittleEndianBytes(static_cast<std::uint32_t>(layout->left)) +
                        LittleEndianBytes(static_cast<std::uint32_t>(layout->top)) +
                        BytesOfWidths(widths, widths + kFirstColumns));
        WriteBinary(key, kIntrudersMoreColumnsValue,
                    BytesOfWidths(widths + kFirstColumns, widths + kIntruderColumnCount));
    }
    key.SetUnicodeTexts(kIgnoredAddressesValue, JoinMultiString(options.ignoredAddresses.Entries()));
    WriteDword(key, kQuietRepeatValue, options.quietRepeatMinutes);
}

void SaveSyslogOptions(const Options& options, RegistryKey& key) {
    WriteDword(key, kSyslogEnabledValue, options.syslogEnabled ? 1 : 0);
    WriteDword(key, kSyslogPortValue, options.syslogPort);
    WriteDword(key, kSyslogAnySenderValue, options.syslogAnySender ? 1 : 0);
}

// Earlier versions saved into the machine's key when they could; the user's
// key is the one the next load reads, and the only one the password may go to.
std::unique_ptr<RegistryKey> OpenOptionsKeyForSaving(RegistryPort& registry, const std::string& keyPath) {
    return registry.CreateKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::AllAccess);
}

}  // namespace

StoredSettings LoadSettings(RegistryPort& registry, const std::string& keyPath, DataProtectionPort& protection,
                            std::int64_t now) {
    auto key = OpenOptionsKeyForLoading(registry, keyPath);
    if (!key) return {FirstRunOptions(), 0, false, true};
    StoredSettings settings;
    LoadDwordOptions(*key, settings.options);
    LoadTextOptions(*key, settings.options);
    const auto password = LoadRouterPassword(registry, keyPath, protection);
    settings.options.routerPassword = password ? password->password : kDefaultPassword;
    settings.passwordToProtect = password && password->scrambled;
    settings.lastDate = LoadLastDate(*key, now);
    LoadIntrudersOptions(*key, settings.options);
    LoadSyslogOptions(*key, settings.options);
    return settings;
}

void SaveSettings(const StoredSettings& settings, RegistryPort& registry, const std::string& keyPath,
                  DataProtectionPort& protection) {
    auto key = OpenOptionsKeyForSaving(registry, keyPath);
    if (!key) return;
    SaveDwordOptions(settings.options, *key);
    SaveTextOptions(settings.options, *key);
    // While the box shows the mask the user has not touched the password.
    if (!settings.options.passwordMasked || settings.passwordToProtect) {
        SaveRouterPassword(settings.options.routerPassword, registry, keyPath, protection);
    }
    WriteLastDate(settings.lastDate, *key);
    SaveIntrudersOptions(settings.options, *key);
    SaveSyslogOptions(settings.options, *key);
}

void SaveLastDate(std::int32_t lastDate, RegistryPort& registry, const std::string& keyPath) {
    // Into the key the next load reads; if neither can be written, the exit saves it.
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, keyPath, RegistryAccess::Write);
    if (!key) key = registry.OpenKey(RegistryRoot::LocalMachine, keyPath, RegistryAccess::Write);
    if (key) WriteLastDate(lastDate, *key);
}

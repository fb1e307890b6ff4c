#include "in_memory_registry.h"

#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace {

std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

using KeyId = std::pair<RegistryRoot, std::string>;

KeyId MakeKeyId(RegistryRoot root, const std::string& path) { return {root, FoldCase(path)}; }

bool AllowsReading(RegistryAccess access) { return access != RegistryAccess::Write; }
bool AllowsWriting(RegistryAccess access) {
    return access == RegistryAccess::Write || access == RegistryAccess::AllAccess;
}

}  // namespace

struct InMemoryRegistry::Store {
    mutable std::mutex mutex;
    // Values by folded name.
    std::map<KeyId, std::map<std::string, RegistryValue>> keys;
    std::set<RegistryRoot> readOnlyRoots;
    std::vector<std::string> journal;

    void CreatePath(const KeyId& id) {
        for (std::size_t end = id.second.find('\\'); end != std::string::npos; end = id.second.find('\\', end + 1)) {
            keys[{id.first, id.second.substr(0, end)}];
        }
        keys[id];
    }
};

namespace {

class InMemoryKey : public RegistryKey {
public:
    InMemoryKey(std::shared_ptr<InMemoryRegistry::Store> store, KeyId id, RegistryAccess access)
        : store_(std::move(store)), id_(std::move(id)), access_(access) {}

    std::optional<RegistryValue> QueryValue(const std::string& name, std::size_t bufferSize) override {
        if (!AllowsReading(access_)) return std::nullopt;
        std::lock_guard<std::mutex> lock(store_->mutex);
        const auto* values = Values();
        if (values == nullptr) return std::nullopt;
        const auto found = values->find(FoldCase(name));
        if (found == values->end() || found->second.data.size() > bufferSize) return std::nullopt;
        return found->second;
    }

    bool SetValue(const std::string& name, const RegistryValue& value) override {
        if (!AllowsWriting(access_)) return false;
        std::lock_guard<std::mutex> lock(store_->mutex);
        auto* values = Values();
        if (values == nullptr) return false;
        (*values)[FoldCase(name)] = value;
        store_->journal.push_back("set " + name);
        return true;
    }

    // Held as the UTF-8 bytes and their terminator.
    std::optional<std::string> QueryUnicodeText(const std::string& name, std::size_t maxCharacters) override {
        auto value = QueryValue(name, maxCharacters);
        if (!value) return std::nullopt;
        return value->data.substr(0, value->data.find('\0'));
    }

    bool SetUnicodeText(const std::string& name, const std::string& text) override {
        return SetValue(name, {RegistryType::String, text + '\0'});
    }

    // Held as the UTF-8 bytes, zero bytes and all.
    std::optional<std::string> QueryUnicodeTexts(const std::string& name, std::size_t maxCharacters) override {
        auto value = QueryValue(name, maxCharacters);
        if (!value) return std::nullopt;
        return std::move(value->data);
    }

    bool SetUnicodeTexts(const std::string& name, const std::string& entries) override {
        return SetValue(name, {RegistryType::MultiString, entries});
    }

    bool DeleteValue(const std::string& name) override {
        if (!AllowsWriting(access_)) return false;
        std::lock_guard<std::mutex> lock(store_->mutex);
        auto* values = Values();
        if (values == nullptr || values->erase(FoldCase(name)) == 0) return false;
        store_->journal.push_back("delete " + name);
        return true;
    }

private:
    std::map<std::string, RegistryValue>* Values() {
        const auto found = store_->keys.find(id_);
        return found == store_->keys.end() ? nullptr : &found->second;
    }

    std::shared_ptr<InMemoryRegistry::Store> store_;
    KeyId id_;
    RegistryAccess access_;
};

}  // namespace

InMemoryRegistry::InMemoryRegistry() : store_(std::make_shared<Store>()) {}
InMemoryRegistry::~InMemoryRegistry() = default;

std::unique_ptr<RegistryKey> InMemoryRegistry::OpenKey(RegistryRoot root, const std::string& path,
                                                       RegistryAccess access) {
    const KeyId id = MakeKeyId(root, path);
    std::lock_guard<std::mutex> lock(store_->mutex);
    if (store_->keys.count(id) == 0) return nullptr;
    if (AllowsWriting(access) && store_->readOnlyRoots.count(root) != 0) return nullptr;
    return std::make_unique<InMemoryKey>(store_, id, access);
}

std::unique_ptr<RegistryKey> InMemoryRegistry::CreateKey(RegistryRoot root, const std::string& path,
                                                         RegistryAccess access) {
    const KeyId id = MakeKeyId(root, path);
    std::lock_guard<std::mutex> lock(store_->mutex);
    // Creating, even a key that exists, needs the right to create there.
    if (store_->readOnlyRoots.count(root) != 0) return nullptr;
    store_->CreatePath(id);
    return std::make_unique<InMemoryKey>(store_, id, access);
}

void InMemoryRegistry::RefuseWrites(RegistryRoot root) {
    std::lock_guard<std::mutex> lock(store_->mutex);
    store_->readOnlyRoots.insert(root);
}

void InMemoryRegistry::PutValue(RegistryRoot root, const std::string& path, const std::string& name,
                                const RegistryValue& value) {
    const KeyId id = MakeKeyId(root, path);
    std::lock_guard<std::mutex> lock(store_->mutex);
    store_->CreatePath(id);
    store_->keys[id][FoldCase(name)] = value;
}

std::optional<RegistryValue> InMemoryRegistry::GetValue(RegistryRoot root, const std::string& path,
                                                        const std::string& name) const {
    std::lock_guard<std::mutex> lock(store_->mutex);
    const auto key = store_->keys.find(MakeKeyId(root, path));
    if (key == store_->keys.end()) return std::nullopt;
    const auto value = key->second.find(FoldCase(name));
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

bool InMemoryRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
    std::lock_guard<std::mutex> lock(store_->mutex);
    return store_->keys.count(MakeKeyId(root, path)) != 0;
}

std::vector<std::string> InMemoryRegistry::Journal() const {
    std::lock_guard<std::mutex> lock(store_->mutex);
    return store_->journal;
}

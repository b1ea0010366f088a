#include "platform/Registry.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct PlatformRegistryKey {
    std::u16string path; // the root's name, then "\" and the key names, lower-case
};

namespace {

struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

struct Store {
    std::map<std::u16string, std::map<std::u16string, Value>> keys; // by path
    std::vector<std::unique_ptr<PlatformRegistryKey>> open;
};

Store& store() {
    static Store s;
    return s;
}

std::u16string lowered(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

std::u16string rootName(HKEY key) {
    if (key == HKEY_CLASSES_ROOT)
        return u"hkcr";
    if (key == HKEY_CURRENT_USER)
        return u"hkcu";
    if (key == HKEY_LOCAL_MACHINE)
        return u"hklm";
    return {};
}

bool isOpen(HKEY key) {
    const auto& open = store().open;
    return std::any_of(open.begin(), open.end(), [key](const auto& k) { return k.get() == key; });
}

// The path of key\subKey, or empty when key is neither a root nor open. Empty names between
// separators are dropped.
std::u16string pathOf(HKEY key, const char16_t* subKey) {
    std::u16string path = rootName(key);
    if (path.empty()) {
        if (!isOpen(key))
            return {};
        path = key->path;
    }
    std::u16string name;
    const std::u16string rest = lowered(subKey != nullptr ? std::u16string(subKey) : u"");
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || rest[i] == u'\\') {
            if (!name.empty())
                path += u'\\' + name;
            name.clear();
        } else {
            name += rest[i];
        }
    }
    return path;
}

HKEY openHandle(const std::u16string& path) {
    auto key = std::make_unique<PlatformRegistryKey>();
    key->path = path;
    store().open.push_back(std::move(key));
    return store().open.back().get();
}

Value* findValue(HKEY key, const char16_t* name, bool create) {
    const std::u16string path = pathOf(key, nullptr);
    auto it = store().keys.find(path);
    if (it == store().keys.end())
        return nullptr;
    const std::u16string valueName = lowered(name != nullptr ? std::u16string(name) : u"");
    auto& values = it->second;
    auto v = values.find(valueName);
    if (v == values.end()) {
        if (!create)
            return nullptr;
        v = values.emplace(valueName, Value{}).first;
    }
    return &v->second;
}

} // namespace

LONG RegOpenKeyEx(HKEY key, const char16_t* subKey, DWORD /*options*/, REGSAM /*access*/,
                  HKEY* result) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const std::u16string path = pathOf(key, subKey);
    if (path.empty())
        return ERROR_INVALID_HANDLE;
    if (store().keys.count(path) == 0)
        return ERROR_FILE_NOT_FOUND;
    *result = openHandle(path);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, const char16_t* subKey, DWORD /*reserved*/, char16_t* /*keyClass*/,
                    DWORD /*options*/, REGSAM /*access*/, void* /*security*/, HKEY* result,
                    DWORD* disposition) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const std::u16string path = pathOf(key, subKey);
    if (path.empty())
        return ERROR_INVALID_HANDLE;
    const bool existed = store().keys.count(path) != 0;
    // Every key on the way exists afterwards too.
    for (std::size_t at = path.find(u'\\'); at != std::u16string::npos;
         at = path.find(u'\\', at + 1))
        store().keys[path.substr(0, at)];
    store().keys[path];
    if (disposition != nullptr)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = openHandle(path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char16_t* name, DWORD* /*reserved*/, DWORD* type, BYTE* data,
                     DWORD* size) {
    if (pathOf(key, nullptr).empty())
        return ERROR_INVALID_HANDLE;
    const Value* value = findValue(key, name, false);
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;
    if (type != nullptr)
        *type = value->type;
    const auto needed = static_cast<DWORD>(value->bytes.size());
    if (data == nullptr) {
        if (size != nullptr)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (size == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::copy(value->bytes.begin(), value->bytes.end(), data);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, const char16_t* name, DWORD /*reserved*/, DWORD type, const BYTE* data,
                   DWORD size) {
    if (pathOf(key, nullptr).empty())
        return ERROR_INVALID_HANDLE;
    if (data == nullptr && size != 0)
        return ERROR_INVALID_PARAMETER;
    Value* value = findValue(key, name, true);
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND; // the key was deleted while open
    value->type = type;
    value->bytes.assign(data, data + size);
    return ERROR_SUCCESS;
}

LONG RegDeleteKey(HKEY key, const char16_t* subKey) {
    const std::u16string path = pathOf(key, subKey);
    if (path.empty())
        return ERROR_INVALID_HANDLE;
    auto& keys = store().keys;
    if (keys.count(path) == 0)
        return ERROR_FILE_NOT_FOUND;
    const std::u16string below = path + u'\\';
    std::erase_if(keys, [&](const auto& entry) {
        return entry.first == path || entry.first.starts_with(below);
    });
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    auto& open = store().open;
    const auto it =
        std::find_if(open.begin(), open.end(), [key](const auto& k) { return k.get() == key; });
    if (it == open.end())
        return rootName(key).empty() ? ERROR_INVALID_HANDLE : ERROR_SUCCESS;
    open.erase(it);
    return ERROR_SUCCESS;
}

namespace platform::test {

void clearRegistry() {
    store().keys.clear();
}

} // namespace platform::test

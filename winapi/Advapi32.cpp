// advapi32.dll: the registry calls, over KXRegistryStore. Every call reads the store afresh, so
// changes of other processes show at once; a handle names a key by its path and remembers the
// access it was opened with.
#include "winapi/KXRegistryStore.h"
#include "winapi/KXWinApi.h"

#include <cstring>
#include <memory>
#include <unordered_map>

using namespace kxwin;

namespace {
constexpr uint32_t KeyQueryValue = 0x0001;
constexpr uint32_t KeySetValue = 0x0002;
constexpr uint32_t KeyCreateSubKey = 0x0004;
constexpr uint32_t MaximumAllowed = 0x02000000;
constexpr uint32_t GenericRead = 0x80000000u;
constexpr uint32_t GenericWrite = 0x40000000;
constexpr uint32_t GenericAll = 0x10000000;
// The largest value this store keeps.
constexpr uint32_t MaxValueSize = 1u << 20;

struct KeyHandle {
    uint32_t root;
    std::string path;
    uint32_t access;
};

std::unordered_map<KeyHandle*, std::unique_ptr<KeyHandle>>& handles()
{
    static std::unordered_map<KeyHandle*, std::unique_ptr<KeyHandle>> table;
    return table;
}

bool isRoot(uint32_t key) { return !KXRegistryStore::fileOf(key).empty(); }

// The root, path and access of a handle (a predefined root key has every access); false for a
// value that is neither.
bool resolve(uint32_t key, uint32_t& root, std::string& path, uint32_t& access)
{
    if (isRoot(key)) {
        root = key;
        path.clear();
        access = ~0u;
        return true;
    }
    auto it = handles().find(reinterpret_cast<KeyHandle*>(uintptr_t(key)));
    if (it == handles().end())
        return false;
    root = it->second->root;
    path = it->second->path;
    access = it->second->access;
    return true;
}

uint32_t normalAccess(uint32_t sam)
{
    uint32_t access = sam;
    if (sam & (GenericRead | MaximumAllowed | GenericAll))
        access |= KeyQueryValue;
    if (sam & (GenericWrite | MaximumAllowed | GenericAll))
        access |= KeySetValue | KeyCreateSubKey;
    return access;
}

// Writes the address of a KeyHandle as a 32-bit HKEY.
void storeHandle(uint32_t* out, KeyHandle* h) { *out = uint32_t(reinterpret_cast<uintptr_t>(h)); }
}

// Opens the existing key subKey below key. ERROR_FILE_NOT_FOUND when it does not exist,
// ERROR_ACCESS_DENIED when write access is asked and the store cannot be written (or read).
KX_WINAPI int32_t RegOpenKeyExA(uint32_t key, const char* subKey, uint32_t options, uint32_t sam, uint32_t* result)
{
    (void)options;
    if (!result)
        return ErrorInvalidParameter;
    uint32_t root, access;
    std::string path;
    if (!resolve(key, root, path, access))
        return ErrorInvalidHandle;
    std::string sub = subKey ? subKey : "";
    if (!sub.empty()) {
        if (sub.front() == '\\' || sub.back() == '\\' || sub.find("\\\\") != std::string::npos)
            return ErrorFileNotFound;
        path = path.empty() ? sub : path + "\\" + sub;
    }
    KXRegistryKeys keys;
    if (uint32_t e = KXRegistryStore::read(root, keys))
        return int32_t(e);
    auto it = keys.find(KXRegistryStore::fold(path));
    if (it == keys.end())
        return ErrorFileNotFound;
    uint32_t wanted = normalAccess(sam);
    if ((wanted & (KeySetValue | KeyCreateSubKey)) && !KXRegistryStore::isWritable(root))
        return ErrorAccessDenied;
    auto h = std::make_unique<KeyHandle>(KeyHandle { root, it->second.path, wanted });
    storeHandle(result, h.get());
    handles()[h.get()] = std::move(h);
    return ErrorSuccess;
}

// Reads a value (null or "": the default value). With data null only the type and size are
// answered; a buffer of *size bytes that is too small gives ERROR_MORE_DATA, *size the size
// needed and the buffer unchanged.
KX_WINAPI int32_t RegQueryValueExA(uint32_t key, const char* name, uint32_t* reserved, uint32_t* type, uint8_t* data, uint32_t* size)
{
    if (reserved || (data && !size))
        return ErrorInvalidParameter;
    uint32_t root, access;
    std::string path;
    if (!resolve(key, root, path, access))
        return ErrorInvalidHandle;
    if (!(access & KeyQueryValue))
        return ErrorAccessDenied;
    KXRegistryKeys keys;
    if (uint32_t e = KXRegistryStore::read(root, keys))
        return int32_t(e);
    auto k = keys.find(KXRegistryStore::fold(path));
    if (k == keys.end())
        return ErrorKeyDeleted;
    auto v = k->second.values.find(KXRegistryStore::fold(name ? name : ""));
    if (v == k->second.values.end())
        return ErrorFileNotFound;
    uint32_t length = uint32_t(v->second.data.size());
    if (type)
        *type = v->second.type;
    if (!data) {
        if (size)
            *size = length;
        return ErrorSuccess;
    }
    if (*size < length) {
        *size = length;
        return ErrorMoreData;
    }
    if (length)
        std::memcpy(data, v->second.data.data(), length);
    *size = length;
    return ErrorSuccess;
}

// Stores a value of size bytes under the key (null or "": the default value), creating or
// replacing it, and writes the store at once.
KX_WINAPI int32_t RegSetValueExA(uint32_t key, const char* name, uint32_t reserved, uint32_t type, const uint8_t* data, uint32_t size)
{
    (void)reserved;
    uint32_t root, access;
    std::string path;
    if (!resolve(key, root, path, access))
        return ErrorInvalidHandle;
    if (!(access & KeySetValue))
        return ErrorAccessDenied;
    if (size && !data)
        return ErrorNoAccess;
    if (size > MaxValueSize)
        return ErrorInvalidParameter;
    std::string valueName = name ? name : "";
    std::string bytes = data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    return int32_t(KXRegistryStore::update(root, [&](KXRegistryKeys& keys) -> uint32_t {
        auto k = keys.find(KXRegistryStore::fold(path));
        if (k == keys.end())
            return ErrorKeyDeleted;
        KXRegistryValue& value = k->second.values[KXRegistryStore::fold(valueName)];
        if (value.name.empty())
            value.name = valueName;
        value.type = type;
        value.data = bytes;
        return ErrorSuccess;
    }));
}

KX_WINAPI int32_t RegCloseKey(uint32_t key)
{
    if (isRoot(key))
        return ErrorSuccess;
    return handles().erase(reinterpret_cast<KeyHandle*>(uintptr_t(key))) ? int32_t(ErrorSuccess) : int32_t(ErrorInvalidHandle);
}

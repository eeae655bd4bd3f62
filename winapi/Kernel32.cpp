// kernel32.dll: the kernel calls programs and our other libraries bind: environment, last error,
// named mutexes, the system version, private heaps and closing handles.
#include "base/KXOsVersion.h"
#include "winapi/KXNamedMutex.h"
#include "winapi/KXPrivateHeap.h"
#include "winapi/KXWinApi.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <unordered_set>

using namespace kxwin;

namespace {
thread_local uint32_t t_lastError = 0;

// A mutex handle: the named mutex it opened, or null for an unnamed one.
struct MutexHandle {
    KXNamedMutex* mutex { nullptr };
};

std::unordered_map<MutexHandle*, std::unique_ptr<MutexHandle>>& mutexHandles()
{
    static std::unordered_map<MutexHandle*, std::unique_ptr<MutexHandle>> table;
    return table;
}

std::unordered_map<KXPrivateHeap*, std::unique_ptr<KXPrivateHeap>>& heaps()
{
    static std::unordered_map<KXPrivateHeap*, std::unique_ptr<KXPrivateHeap>> table;
    return table;
}

KXPrivateHeap* heapOf(void* handle)
{
    auto it = heaps().find(static_cast<KXPrivateHeap*>(handle));
    return it == heaps().end() ? nullptr : it->second.get();
}

void store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

constexpr uint32_t HeapZeroMemory = 0x8;
}

KX_WINAPI uint32_t GetLastError() { return t_lastError; }

KX_WINAPI void SetLastError(uint32_t error) { t_lastError = error; }

// Copies the variable's value with its terminator into buffer when size holds both and answers
// the length without the terminator; otherwise answers the size needed, terminator included.
// 0 with ERROR_ENVVAR_NOT_FOUND when there is no such variable.
KX_WINAPI uint32_t GetEnvironmentVariableA(const char* name, char* buffer, uint32_t size)
{
    const char* value = name ? std::getenv(name) : nullptr;
    if (!value) {
        SetLastError(ErrorEnvvarNotFound);
        return 0;
    }
    size_t length = std::strlen(value);
    if (!buffer || size <= length)
        return uint32_t(length + 1);
    std::memcpy(buffer, value, length + 1);
    return uint32_t(length);
}

// A handle to the mutex called name (unnamed when name is null or empty). The last error is 183
// (ERROR_ALREADY_EXISTS) when it was open already, here or in another live process, else 0.
// Null when the mutex cannot be made. Ownership has no meaning here: the program is one thread.
KX_WINAPI void* CreateMutexA(void* attributes, int initialOwner, const char* name)
{
    (void)attributes;
    (void)initialOwner;
    auto handle = std::make_unique<MutexHandle>();
    bool existed = false;
    if (name && *name) {
        if (std::strlen(name) > MaxPath) {
            SetLastError(ErrorFilenameExcedRange);
            return nullptr;
        }
        handle->mutex = KXNamedMutex::open(name, existed);
        if (!handle->mutex) {
            SetLastError(errno == EACCES || errno == EPERM ? ErrorAccessDenied : ErrorInvalidHandle);
            return nullptr;
        }
    }
    MutexHandle* h = handle.get();
    mutexHandles()[h] = std::move(handle);
    SetLastError(existed ? ErrorAlreadyExists : ErrorSuccess);
    return h;
}

KX_WINAPI int CloseHandle(void* handle)
{
    auto it = mutexHandles().find(static_cast<MutexHandle*>(handle));
    if (it == mutexHandles().end()) {
        SetLastError(ErrorInvalidHandle);
        return 0;
    }
    if (it->second->mutex)
        it->second->mutex->close();
    mutexHandles().erase(it);
    return 1;
}

// Fills an OSVERSIONINFOA (148 bytes) or OSVERSIONINFOEXA (156 bytes), whose first field the
// caller set to its size, with the version of KXOsVersion (TROVA_OSVERSION). FALSE with
// ERROR_INSUFFICIENT_BUFFER for any other size.
KX_WINAPI int GetVersionExA(uint8_t* info)
{
    uint32_t size = 0;
    if (info)
        std::memcpy(&size, info, 4);
    if (size != 148 && size != 156) {
        SetLastError(ErrorInsufficientBuffer);
        return 0;
    }
    KXOsVersion v = kxOsVersion();
    store32(info + 4, v.major);
    store32(info + 8, v.minor);
    store32(info + 12, v.build);
    store32(info + 16, v.platform);
    std::memset(info + 20, 0, size - 20); // no service pack; on the extended record a workstation
    if (size == 156)
        info[154] = 1;
    return 1;
}

KX_WINAPI void* HeapCreate(uint32_t options, uint32_t initialSize, uint32_t maximumSize)
{
    (void)options;
    (void)initialSize;
    auto heap = std::make_unique<KXPrivateHeap>(maximumSize);
    KXPrivateHeap* h = heap.get();
    heaps()[h] = std::move(heap);
    return h;
}

KX_WINAPI int HeapDestroy(void* heap)
{
    if (!heaps().erase(static_cast<KXPrivateHeap*>(heap))) {
        SetLastError(ErrorInvalidHandle);
        return 0;
    }
    return 1;
}

KX_WINAPI void* HeapAlloc(void* heap, uint32_t flags, uint32_t size)
{
    KXPrivateHeap* h = heapOf(heap);
    void* block = h ? h->allocate(size, flags & HeapZeroMemory) : nullptr;
    if (!block)
        SetLastError(h ? ErrorNotEnoughMemory : ErrorInvalidHandle);
    return block;
}

KX_WINAPI int HeapFree(void* heap, uint32_t flags, void* block)
{
    (void)flags;
    if (!block)
        return 1;
    KXPrivateHeap* h = heapOf(heap);
    if (!h || !h->release(block)) {
        SetLastError(ErrorInvalidParameter);
        return 0;
    }
    return 1;
}

// Bank memory: creation, resizing and views.
#include "core/KXBank.h"

#include "core/KXHandle.h"
#include "base/KXError.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
// Capacities are 32-bit: requests beyond INT_MAX are clamped (and then refused by the allocator
// on this 32-bit platform long before).
int clampCapacity(int64_t n) { return n > INT_MAX ? INT_MAX : int(n); }

[[noreturn]] void outOfMemory() { kxRuntimeError("Bank memory could not be allocated"); }
}

KXBank* KXBank::create(int size)
{
    if (size < 0)
        size = 0;
    int capacity = clampCapacity(int64_t(size) + 10);
    auto* data = static_cast<uint8_t*>(std::calloc(size_t(capacity), 1));
    if (!data)
        outOfMemory();
    auto* bank = new KXBank;
    bank->m_data = data;
    bank->m_size = size;
    bank->m_capacity = capacity;
    return bank;
}

KXBank* KXBank::createView() { return new KXBank; }

KXBank* KXBank::checkHandle(int handle)
{
    s_lastChecked = kxHandle<KXBank>(handle, "Bank");
    return s_lastChecked;
}

KXBank::~KXBank()
{
    if (this == s_lastChecked)
        s_lastChecked = nullptr;
    if (!isView())
        std::free(m_data);
}

void KXBank::resize(int n)
{
    if (isView())
        kxRuntimeError("Bank cannot be resized");
    if (n < 0)
        n = 0;
    if (n > m_capacity) {
        int capacity = clampCapacity(int64_t(n) + n / 2 + 10);
        auto* data = static_cast<uint8_t*>(std::realloc(m_data, size_t(capacity)));
        if (!data)
            outOfMemory();
        m_data = data;
        m_capacity = capacity;
    }
    if (n > m_size)
        std::memset(m_data + m_size, 0, size_t(n - m_size));
    m_size = n;
}

void KXBank::setData(void* data, int size)
{
    if (!isView())
        kxRuntimeError("Bank data cannot be modified");
    m_data = static_cast<uint8_t*>(data);
    m_size = size < 0 ? 0 : size;
}

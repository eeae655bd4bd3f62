// KXPointerSet: a set of non-null pointers with open addressing, for the live-object set.
//
// Invariants: the slot count is a power of two, at least twice the element count; every
// element sits at its home slot or after it with no empty slot between (linear probing,
// deletion by backward shift). Constant-initialised and trivially destructible, so it can be
// used before static construction and after static destruction; the slot array is never freed.
#pragma once

#include <cstddef>
#include <cstdint>

class KXPointerSet {
public:
    constexpr KXPointerSet() = default;

    // False when p was already present.
    bool insert(const void* p)
    {
        if ((m_size + 1) * 2 > m_capacity)
            grow();
        size_t i = home(p);
        while (m_slots[i]) {
            if (m_slots[i] == p)
                return false;
            i = (i + 1) & (m_capacity - 1);
        }
        m_slots[i] = p;
        ++m_size;
        return true;
    }

    // False when p was not present.
    bool erase(const void* p)
    {
        size_t i;
        if (!find(p, i))
            return false;
        m_slots[i] = nullptr;
        --m_size;
        // Pull later members of the probe run back over the hole, unless that would move one
        // before its home slot.
        const size_t mask = m_capacity - 1;
        for (size_t j = (i + 1) & mask; m_slots[j]; j = (j + 1) & mask) {
            const size_t k = home(m_slots[j]);
            const bool stays = i <= j ? (i < k && k <= j) : (i < k || k <= j);
            if (!stays) {
                m_slots[i] = m_slots[j];
                m_slots[j] = nullptr;
                i = j;
            }
        }
        return true;
    }

    bool contains(const void* p) const
    {
        size_t i;
        return p && find(p, i);
    }

    size_t size() const { return m_size; }

    // Calls fn(p) for every member; fn must not change the set.
    template<class Fn>
    void forEach(Fn fn) const
    {
        for (size_t i = 0; i < m_capacity; ++i)
            if (m_slots[i])
                fn(m_slots[i]);
    }

private:
    size_t home(const void* p) const
    {
        const uint32_t h = uint32_t(uintptr_t(p) >> 3) * 2654435769u;
        return size_t(h >> (32 - m_bits));
    }

    bool find(const void* p, size_t& at) const
    {
        if (!m_capacity)
            return false;
        for (size_t i = home(p); m_slots[i]; i = (i + 1) & (m_capacity - 1))
            if (m_slots[i] == p) {
                at = i;
                return true;
            }
        return false;
    }

    void grow()
    {
        const void** old = m_slots;
        const size_t oldCapacity = m_capacity;
        m_bits = m_bits ? m_bits + 1 : 10;
        m_capacity = size_t(1) << m_bits;
        m_slots = new const void*[m_capacity]();
        m_size = 0;
        for (size_t i = 0; i < oldCapacity; ++i)
            if (old[i])
                insert(old[i]);
        delete[] old;
    }

    const void** m_slots { nullptr };
    size_t m_size { 0 };
    size_t m_capacity { 0 };
    int m_bits { 0 };
};

// KXEventQueue: a ring of 256 event records with free-running put and get counters.
//
// Invariants: 0 <= put - get <= Capacity; the waiting entries are slots get .. put-1 (mod 256),
// oldest first.
#pragma once

#include "gui/KXEvent.h"

#include <cstdint>

class KXEventQueue {
public:
    static constexpr uint32_t Capacity = 256;

    int count() const { return int(m_put - m_get); }
    bool isEmpty() const { return m_put == m_get; }
    bool isFull() const { return m_put - m_get == Capacity; }

    // Appends ev; a full queue drops it and answers false.
    bool push(const KXEvent& ev);
    // The oldest entry; only valid when not empty.
    const KXEvent& front() const { return m_ring[m_get % Capacity]; }
    // Removes and returns the oldest entry; only valid when not empty.
    KXEvent pop();
    // The newest entry, or null when empty.
    KXEvent* newest() { return isEmpty() ? nullptr : &m_ring[(m_put - 1) % Capacity]; }
    // The first waiting entry for which match answers true, or null.
    template<class Fn>
    KXEvent* find(Fn match)
    {
        for (uint32_t i = m_get; i != m_put; ++i)
            if (match(m_ring[i % Capacity]))
                return &m_ring[i % Capacity];
        return nullptr;
    }
    // Removes every entry for which match answers true; the others keep their order.
    template<class Fn>
    void removeIf(Fn match)
    {
        uint32_t out = m_get;
        for (uint32_t i = m_get; i != m_put; ++i) {
            const KXEvent ev = m_ring[i % Capacity];
            if (!match(ev))
                m_ring[out++ % Capacity] = ev;
        }
        m_put = out;
    }
    void clear() { m_get = m_put; }

private:
    KXEvent m_ring[Capacity] {};
    uint32_t m_put { 0 };
    uint32_t m_get { 0 };
};

// KXCommandTable: one area's {spec, address} table, linked into a process-wide list at static
// construction. The registry binds each spec of the command list to the address an area gives.
#pragma once

#include "base/KXCallConv.h"

#include <cstddef>

struct KXCommandEntry {
    const char* spec;
    void* address;
};

class KXCommandTable {
public:
    template<size_t N>
    explicit KXCommandTable(const KXCommandEntry (&entries)[N])
        : KXCommandTable(entries, N)
    {
    }
    KXCommandTable(const KXCommandEntry* entries, size_t count);

    const KXCommandEntry* entries() const { return m_entries; }
    size_t count() const { return m_count; }
    const KXCommandTable* next() const { return m_next; }
    static const KXCommandTable* first();

private:
    const KXCommandEntry* m_entries;
    size_t m_count;
    const KXCommandTable* m_next;
};

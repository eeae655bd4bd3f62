// The list of area command tables.
#include "base/KXCommandTable.h"

namespace {
constinit const KXCommandTable* s_first = nullptr;
}

KXCommandTable::KXCommandTable(const KXCommandEntry* entries, size_t count)
    : m_entries(entries)
    , m_count(count)
    , m_next(s_first)
{
    s_first = this;
}

const KXCommandTable* KXCommandTable::first() { return s_first; }

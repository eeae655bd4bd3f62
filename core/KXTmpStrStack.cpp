// The temporary-string stack.
#include "core/KXTmpStrStack.h"

#include "core/KXString.h"
#include "base/KXError.h"

#include <algorithm>
#include <new>

// Constant-initialised, so it is usable from any static constructor.
constinit KXTmpStrStack KXTmpStrStack::s_instance;

KXTmpStrStack::~KXTmpStrStack()
{
    // Strings still held at exit are left to the process's end: the objects they refer to may
    // belong to statics that are already gone.
    delete[] m_entries;
    m_entries = nullptr;
    m_count = m_capacity = 0;
}

void KXTmpStrStack::grow()
{
    if (m_capacity > 0x7FFFFFFF - Growth)
        kxRuntimeError("Out of memory (temporary strings)");
    const int capacity = m_capacity + Growth;
    auto* entries = new (std::nothrow) KXString*[size_t(capacity)];
    if (!entries)
        kxRuntimeError("Out of memory (temporary strings)");
    std::copy(m_entries, m_entries + m_count, entries);
    delete[] m_entries;
    m_entries = entries;
    m_capacity = capacity;
}

void KXTmpStrStack::pop(int n)
{
    if (n < 0 || n > m_count)
        kxRuntimeError("Illegal TmpStr index");
    KXString** top = m_entries + m_count;
    m_count -= n;
    while (n-- > 0)
        kxRelease(*--top);
}

void KXTmpStrStack::reset()
{
    pop(m_count);
    delete[] m_entries;
    m_entries = nullptr;
    m_capacity = 0;
}

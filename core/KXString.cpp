// KXString construction and destruction.
#include "core/KXString.h"

#include <cstring>

KXString* KXString::create(const char* text, int len)
{
    if (len < 0)
        len = 0;
    auto* s = new KXString;
    s->m_length = len;
    s->m_data = new char[size_t(len) + 1];
    if (len)
        std::memcpy(s->m_data, text, size_t(len));
    s->m_data[len] = 0;
    return s;
}

KXString::~KXString() { delete[] m_data; }

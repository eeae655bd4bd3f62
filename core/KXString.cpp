// KXString construction, destruction and the shared constant accessors.
#include "core/KXString.h"

#include "core/KXStringModule.h"
#include "base/KXError.h"

#include <cstring>
#include <new>

void* KXString::operator new(size_t size, Extra extra) noexcept
{
    return ::operator new(size + extra.bytes, std::nothrow);
}

KXString* KXString::allocate(long long len)
{
    if (len < 0)
        len = 0;
    if (len > MaxLength)
        kxRuntimeError("String too long (%lld bytes)", len);
    KXString* s = new (Extra { size_t(len) + 1 }) KXString;
    if (!s)
        kxRuntimeError("Out of memory (string of %lld bytes)", len);
    s->m_length = int(len);
    s->m_data = reinterpret_cast<char*>(s + 1);
    s->m_data[len] = 0;
    return s;
}

KXString* KXString::create(const char* text, int len)
{
    return build(len, [&](char* out) {
        if (len > 0)
            std::memcpy(out, text, size_t(len));
    });
}

KXString* KXString::create(std::string_view text)
{
    if (text.size() > size_t(MaxLength))
        kxRuntimeError("String too long (%lld bytes)", (long long)text.size());
    return create(text.data(), int(text.size()));
}

KXString* KXString::make(std::string_view text) { return text.empty() ? empty() : create(text); }

namespace {
KXString* shared(KXString* s)
{
    s->retain();
    return s;
}
}

KXString* KXString::empty() { return shared(KXStringModule::constants().empty); }

KXString* KXString::character(unsigned char c) { return shared(KXStringModule::constants().characters[c]); }

KXString* KXString::nanText() { return shared(KXStringModule::constants().nan); }

KXString* KXString::infinityText() { return shared(KXStringModule::constants().infinity); }

KXString* KXString::negativeInfinityText() { return shared(KXStringModule::constants().negativeInfinity); }

// The string helpers of compiled code: temporaries, reference counts, concatenation,
// comparison, conversions and the program's string constants.
#include "core/KXStringHelpers.h"

#include "core/KXString.h"
#include "core/KXStringConversions.h"
#include "core/KXStringModule.h"
#include "core/KXTmpStrStack.h"
#include "base/KXCommandTable.h"

#include <algorithm>
#include <cstring>

namespace {
// The unset-variable value taken by kxInitCStrs (one reference), or null before that.
KXString* s_unset = nullptr;

KXString* temporary(KXString* s)
{
    KXTmpStrStack::instance().push(s);
    return s;
}
}

KXString* kxStrUnset() { return s_unset ? s_unset : KXStringModule::constants().empty; }

KX_STDCALL KXString* kxStrTmp(KXString* s) { return temporary(s); }

KX_STDCALL void kxStrTmpFree(int n) { KXTmpStrStack::instance().pop(n); }

KX_STDCALL int kxIStrTmpFree(int result, int n)
{
    kxStrTmpFree(n);
    return result;
}

KX_STDCALL float kxFStrTmpFree(float result, int n)
{
    kxStrTmpFree(n);
    return result;
}

KX_STDCALL KXString* kxStrRetain(KXString* s)
{
    if (s)
        s->retain();
    return s;
}

KX_STDCALL KXString* kxStrRelease(KXString* s)
{
    kxRelease(s);
    return s;
}

KX_STDCALL KXString* kxStrLoad(KXString** var) { return *var ? *var : kxStrUnset(); }

KX_STDCALL KXString* kxStrStore(KXString** var, KXString* s)
{
    // Retain first: storing a variable's own string into it must not free it.
    if (s)
        s->retain();
    KXString* old = *var;
    *var = s;
    kxRelease(old);
    return s;
}

KX_STDCALL KXString* kxStrConcat(KXString* a, KXString* b)
{
    const std::string_view x = kxStrView(a), y = kxStrView(b);
    // An empty side makes the result the other side itself: no allocation, same bytes.
    if (x.empty() && y.empty())
        return temporary(KXString::empty());
    if (y.empty())
        return temporary(kxStrRetain(a));
    if (x.empty())
        return temporary(kxStrRetain(b));
    return temporary(KXString::build((long long)x.size() + (long long)y.size(), [&](char* out) {
        std::memcpy(out, x.data(), x.size());
        std::memcpy(out + x.size(), y.data(), y.size());
    }));
}

KX_STDCALL int kxStrCompare(KXString* a, KXString* b)
{
    const std::string_view x = kxStrView(a), y = kxStrView(b);
    const size_t n = std::min(x.size(), y.size());
    if (n) {
        // memcmp compares bytes as unsigned char, past zero bytes.
        const int c = std::memcmp(x.data(), y.data(), n);
        if (c)
            return c < 0 ? -1 : 1;
    }
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

KX_STDCALL int kxStrToInt(KXString* s) { return kxTextToInt(kxStrView(s)); }

KX_STDCALL KXString* kxStrFromInt(int n) { return temporary(KXString::create(kxIntToText(n))); }

KX_STDCALL float kxStrToFloat(KXString* s) { return kxTextToFloat(kxStrView(s)); }

KX_STDCALL KXString* kxStrFromFloat(float f) { return temporary(kxFloatToString(f)); }

KX_STDCALL const char* kxStrToCStr(KXString* s) { return s ? s->data() : ""; }

KX_STDCALL KXString* kxStrFromCStr(const char* text)
{
    return temporary(KXString::make(text ? std::string_view(text) : std::string_view()));
}

KX_STDCALL void kxInitCStrs(void* const* table)
{
    KXTmpStrStack::instance().reset();
    KXString* unset = KXString::empty();
    kxRelease(s_unset);
    s_unset = unset;
    if (!table)
        return;
    // The table, its slots and the texts after them may sit at any offset in the image, so
    // every pointer is read and written as bytes.
    auto* entry = reinterpret_cast<const unsigned char*>(table);
    for (;; entry += sizeof(void*)) {
        unsigned char* slot;
        std::memcpy(&slot, entry, sizeof slot);
        if (!slot)
            break;
        const char* text = reinterpret_cast<const char*>(slot + sizeof(KXString*));
        KXString* made = KXString::make(text);
        std::memcpy(slot, &made, sizeof made);
    }
}

namespace {
const KXCommandEntry s_helpers[] = {
    { "_kxInitCStrs", KX_FN(kxInitCStrs) },
    { "_kxStrTmp", KX_FN(kxStrTmp) },
    { "_kxStrTmpFree", KX_FN(kxStrTmpFree) },
    { "_kxIStrTmpFree", KX_FN(kxIStrTmpFree) },
    { "_kxFStrTmpFree", KX_FN(kxFStrTmpFree) },
    { "_kxStrRetain", KX_FN(kxStrRetain) },
    { "_kxStrRelease", KX_FN(kxStrRelease) },
    { "_kxStrLoad", KX_FN(kxStrLoad) },
    { "_kxStrStore", KX_FN(kxStrStore) },
    { "_kxStrConcat", KX_FN(kxStrConcat) },
    { "_kxStrCompare", KX_FN(kxStrCompare) },
    { "_kxStrToInt", KX_FN(kxStrToInt) },
    { "_kxStrFromInt", KX_FN(kxStrFromInt) },
    { "_kxStrToFloat", KX_FN(kxStrToFloat) },
    { "_kxStrFromFloat", KX_FN(kxStrFromFloat) },
    { "_kxStrToCStr", KX_FN(kxStrToCStr) },
    { "_kxStrFromCStr", KX_FN(kxStrFromCStr) },
};
KXCommandTable s_table(s_helpers);
}

// The string commands: String, Left, Right, Mid, Instr, Replace, Upper, Lower, Trim, LSet,
// RSet, Chr, Asc, Len, Hex, Bin.
#include "core/KXStringCommands.h"

#include "core/KXString.h"
#include "base/KXCommandTable.h"

#include <cstring>
#include <string_view>

namespace {
// A result that equals the whole argument is the argument itself with a new reference.
KXString* whole(KXString* s)
{
    if (!s)
        return KXString::empty();
    s->retain();
    return s;
}

// The bytes [p, p + n) of s, both already inside it.
KXString* part(KXString* s, long long p, long long n)
{
    const std::string_view v = kxStrView(s);
    if (p == 0 && n == (long long)v.size())
        return whole(s);
    return KXString::make(v.substr(size_t(p), size_t(n)));
}

// Substring from position p (counted from 0) of n bytes: a negative p eats into n; past the
// end or n <= 0 is empty; the count is cut at the end. 64-bit arithmetic keeps extreme
// positions and counts from wrapping.
KXString* substring(KXString* s, long long p, long long n)
{
    const long long length = kxStrView(s).size();
    if (p < 0) {
        n += p;
        p = 0;
    }
    if (p >= length || n <= 0)
        return KXString::empty();
    if (p + n > length)
        n = length - p;
    return part(s, p, n);
}

// Position of sub in s at or after f (counted from 0), or -1.
long long findFrom(std::string_view s, std::string_view sub, long long f)
{
    const long long length = s.size();
    if (f >= length)
        return -1;
    if (f < 0)
        f = 0;
    if (sub.empty())
        return f;
    const size_t at = s.find(sub, size_t(f));
    return at == std::string_view::npos ? -1 : (long long)at;
}

// s with every byte mapped through fn; s itself when no byte changes.
template<class Fn>
KXString* mapBytes(KXString* s, Fn fn)
{
    const std::string_view v = kxStrView(s);
    size_t i = 0;
    while (i < v.size() && fn(v[i]) == v[i])
        ++i;
    if (i == v.size())
        return whole(s);
    return KXString::build((long long)v.size(), [&](char* out) {
        for (size_t j = 0; j < v.size(); ++j)
            out[j] = fn(v[j]);
    });
}

bool isTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

// Exactly size bytes: s padded with blanks on the right (left) or cut to its first (last)
// size bytes.
KXString* fit(KXString* s, int size, bool padLeft)
{
    const std::string_view v = kxStrView(s);
    if (size <= 0)
        return KXString::empty();
    const size_t n = size_t(size);
    if (n <= v.size())
        return part(s, padLeft ? (long long)(v.size() - n) : 0, size);
    return KXString::build(size, [&](char* out) {
        const size_t pad = n - v.size();
        std::memset(padLeft ? out : out + v.size(), ' ', pad);
        std::memcpy(padLeft ? out + pad : out, v.data(), v.size());
    });
}

// The bits of value as digits, highest first, bitsPerDigit bits to a digit.
KXString* digits(unsigned value, int bitsPerDigit)
{
    static const char alphabet[] = "0123456789ABCDEF";
    const int count = 32 / bitsPerDigit;
    const unsigned mask = (1u << bitsPerDigit) - 1;
    return KXString::build(count, [&](char* out) {
        for (int i = count - 1; i >= 0; --i, value >>= bitsPerDigit)
            out[i] = alphabet[value & mask];
    });
}
}

KX_STDCALL KXString* String(KXString* string, int repeat)
{
    const std::string_view v = kxStrView(string);
    if (repeat <= 0 || v.empty())
        return KXString::empty();
    if (repeat == 1)
        return whole(string);
    // build refuses a total beyond the longest string before anything is allocated.
    return KXString::build((long long)v.size() * repeat, [&](char* out) {
        if (v.size() == 1) {
            std::memset(out, v[0], size_t(repeat));
            return;
        }
        for (int i = 0; i < repeat; ++i, out += v.size())
            std::memcpy(out, v.data(), v.size());
    });
}

KX_STDCALL KXString* Left(KXString* string, int count)
{
    const long long length = kxStrView(string).size();
    if (count <= 0)
        return KXString::empty();
    return part(string, 0, count < length ? count : length);
}

KX_STDCALL KXString* Right(KXString* string, int count)
{
    const long long length = kxStrView(string).size();
    if (count <= 0)
        return KXString::empty();
    const long long n = count < length ? count : length;
    return part(string, length - n, n);
}

KX_STDCALL KXString* Mid(KXString* string, int start, int count)
{
    const long long n = count < 0 ? (long long)kxStrView(string).size() : count;
    return substring(string, (long long)start - 1, n);
}

KX_STDCALL int Instr(KXString* string, KXString* find, int from)
{
    return int(findFrom(kxStrView(string), kxStrView(find), (long long)from - 1) + 1);
}

KX_STDCALL KXString* Replace(KXString* string, KXString* from, KXString* to)
{
    const std::string_view s = kxStrView(string), f = kxStrView(from), t = kxStrView(to);
    // Nothing to look for: the text stays as it is.
    if (f.empty())
        return whole(string);
    size_t at = s.find(f);
    if (at == std::string_view::npos)
        return whole(string);
    // The search resumes right after each match, so the inserted text is never searched again.
    // A first pass sizes the result, so an oversized one is refused before anything is built.
    long long matches = 0;
    for (size_t p = at; p != std::string_view::npos; p = s.find(f, p + f.size()))
        ++matches;
    const long long total = (long long)s.size() + matches * ((long long)t.size() - (long long)f.size());
    if (total == 0)
        return KXString::empty();
    return KXString::build(total, [&](char* out) {
        size_t done = 0;
        for (size_t p = at; p != std::string_view::npos; p = s.find(f, done)) {
            std::memcpy(out, s.data() + done, p - done);
            out += p - done;
            std::memcpy(out, t.data(), t.size());
            out += t.size();
            done = p + f.size();
        }
        std::memcpy(out, s.data() + done, s.size() - done);
    });
}

KX_STDCALL KXString* Upper(KXString* string)
{
    return mapBytes(string, [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
}

KX_STDCALL KXString* Lower(KXString* string)
{
    return mapBytes(string, [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
}

KX_STDCALL KXString* Trim(KXString* string)
{
    const std::string_view v = kxStrView(string);
    size_t begin = 0, end = v.size();
    while (begin < end && isTrimmed(v[begin]))
        ++begin;
    while (end > begin && isTrimmed(v[end - 1]))
        --end;
    if (begin == end)
        return KXString::empty();
    return part(string, (long long)begin, (long long)(end - begin));
}

KX_STDCALL KXString* LSet(KXString* string, int size) { return fit(string, size, false); }

KX_STDCALL KXString* RSet(KXString* string, int size) { return fit(string, size, true); }

KX_STDCALL KXString* Chr(int ascii) { return KXString::character(static_cast<unsigned char>(ascii)); }

KX_STDCALL int Asc(KXString* string)
{
    const std::string_view v = kxStrView(string);
    return v.empty() ? -1 : static_cast<unsigned char>(v[0]);
}

KX_STDCALL int Len(KXString* string) { return int(kxStrView(string).size()); }

KX_STDCALL KXString* Hex(int value) { return digits(unsigned(value), 4); }

KX_STDCALL KXString* Bin(int value) { return digits(unsigned(value), 1); }

namespace {
const KXCommandEntry s_commands[] = {
    { "$String$string%repeat", KX_FN(String) },
    { "$Left$string%count", KX_FN(Left) },
    { "$Right$string%count", KX_FN(Right) },
    { "$Replace$string$from$to", KX_FN(Replace) },
    { "%Instr$string$find%from=1", KX_FN(Instr) },
    { "$Mid$string%start%count=-1", KX_FN(Mid) },
    { "$Upper$string", KX_FN(Upper) },
    { "$Lower$string", KX_FN(Lower) },
    { "$Trim$string", KX_FN(Trim) },
    { "$LSet$string%size", KX_FN(LSet) },
    { "$RSet$string%size", KX_FN(RSet) },
    { "$Chr%ascii", KX_FN(Chr) },
    { "%Asc$string", KX_FN(Asc) },
    { "%Len$string", KX_FN(Len) },
    { "$Hex%value", KX_FN(Hex) },
    { "$Bin%value", KX_FN(Bin) },
};
KXCommandTable s_table(s_commands);
}

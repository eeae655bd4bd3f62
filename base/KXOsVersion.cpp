// The reported operating-system version and its TROVA_OSVERSION override.
#include "base/KXOsVersion.h"

#include <cstdlib>

namespace {
constexpr KXOsVersion DefaultVersion { 5, 1, 2600, 2 };

// Reads one decimal field of at most nine digits; advances p past it.
bool field(const char*& p, unsigned& out)
{
    unsigned v = 0;
    int digits = 0;
    while (*p >= '0' && *p <= '9') {
        if (++digits > 9)
            return false;
        v = v * 10 + unsigned(*p++ - '0');
    }
    out = v;
    return digits > 0;
}
}

bool kxParseOsVersion(const char* text, KXOsVersion& v)
{
    if (!text)
        return false;
    KXOsVersion r = DefaultVersion;
    unsigned* fields[] = { &r.major, &r.minor, &r.build, &r.platform };
    const char* p = text;
    int n = 0;
    while (n < 4) {
        if (!field(p, *fields[n]))
            return false;
        ++n;
        if (*p == 0)
            break;
        if (*p++ != '.')
            return false;
    }
    if (*p != 0 || n < 2)
        return false;
    v = r;
    return true;
}

KXOsVersion kxOsVersion()
{
    KXOsVersion v = DefaultVersion;
    kxParseOsVersion(std::getenv("TROVA_OSVERSION"), v);
    return v;
}

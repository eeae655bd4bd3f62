// The one place that reads TROVA_PLATFORM.
#include "base/KXPlatform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

KXPlatform kxPlatform()
{
    static const KXPlatform platform = [] {
        const char* v = std::getenv("TROVA_PLATFORM");
        if (!v || !*v || std::strcmp(v, "qt") == 0)
            return KXPlatform::Qt;
        if (std::strcmp(v, "headless") == 0)
            return KXPlatform::Headless;
        std::fprintf(stderr, "trova: TROVA_PLATFORM=%s is not a platform (use qt or headless)\n", v);
        std::exit(1);
    }();
    return platform;
}

const char* kxPlatformName(KXPlatform platform)
{
    switch (platform) {
    case KXPlatform::Qt:
        return "qt";
    case KXPlatform::Headless:
        return "headless";
    case KXPlatform::Any:
        break;
    }
    return "any";
}

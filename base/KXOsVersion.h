// The operating-system version the runtime and its system libraries report.
#pragma once

struct KXOsVersion {
    unsigned major;
    unsigned minor;
    unsigned build;
    unsigned platform;
};

// The version programs see: by default 5.1, build 2600, platform 2 (the behaviour that fits an
// X11 desktop). TROVA_OSVERSION=major.minor.build.platform overrides it; build and platform may
// be left out. A malformed value is ignored and the default stands. Read on every call.
KXOsVersion kxOsVersion();

// Parses "major.minor[.build[.platform]]" into v; false (v untouched) when text is malformed.
bool kxParseOsVersion(const char* text, KXOsVersion& v);

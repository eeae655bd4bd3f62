// Which platform backend this process runs on, decided once from TROVA_PLATFORM.
#pragma once

// Values are stable: append-only.
enum class KXPlatform : int {
    Any = 0, // neutral: exists on every platform
    Qt = 1, // real windows on X11
    Headless = 2, // virtual desktop, scripted user
};

// The backend in force: TROVA_PLATFORM=qt|headless, default qt. An unknown value is reported on
// standard error and the process exits with code 1.
KXPlatform kxPlatform();

// The platform's name as the environment variable spells it ("qt", "headless").
const char* kxPlatformName(KXPlatform platform);

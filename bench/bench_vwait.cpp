// Times VWait(1) and VWait(2) against the display's refresh period and against a plain sleep of
// one period (the baseline): a wait for n refreshes ends at the n-th refresh after the call, so
// back-to-back VWait(1) calls take one period each. With TROVA_PLATFORM=qt (under an X server)
// the period is the one the X server reports.
#include "graphics/KXRefreshClock.h"
#include "base/KXCallConv.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

KX_STDCALL void VWait(int frames);

// Runs before static constructors, so the modules register for the platform chosen: headless
// unless the caller asked for another.
__attribute__((constructor(101))) static void chooseHeadless() { setenv("TROVA_PLATFORM", "headless", 0); }

namespace {
using Clock = std::chrono::steady_clock;

double meanMs(int rounds, void (*body)())
{
    auto t0 = Clock::now();
    for (int i = 0; i < rounds; ++i)
        body();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / rounds;
}
}

int main()
{
    kxSelectPlatformConfigs(KXModuleRegistry::global());
    kxStartSubsystem("Screen");
    constexpr int Rounds = 60;
    const double periodMs = std::chrono::duration<double, std::milli>(KXRefreshClock::period()).count();
    double one = meanMs(Rounds, [] { VWait(1); });
    double two = meanMs(Rounds, [] { VWait(2); });
    double sleep = meanMs(Rounds, [] { std::this_thread::sleep_for(KXRefreshClock::period()); });
    std::printf("refresh period:          %8.3f ms (%.1f Hz)\n", periodMs, 1000.0 / periodMs);
    std::printf("VWait(1), back to back:  %8.3f ms  (%.2f periods)\n", one, one / periodMs);
    std::printf("VWait(2), back to back:  %8.3f ms  (%.2f periods)\n", two, two / periodMs);
    std::printf("baseline sleep(period):  %8.3f ms  (%.2f periods)\n", sleep, sleep / periodMs);
    return 0;
}

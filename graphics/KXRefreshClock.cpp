// Waiting for display refreshes.
#include "graphics/KXRefreshClock.h"

#include "graphics/KXScreenDriver.h"

#include <thread>

std::chrono::nanoseconds KXRefreshClock::period()
{
    double hz = KXScreenDriver::current() ? KXScreenDriver::current()->refreshRate() : 60.0;
    if (!(hz >= 1.0 && hz <= 1000.0))
        hz = 60.0;
    return std::chrono::nanoseconds(static_cast<long long>(1e9 / hz));
}

std::chrono::steady_clock::time_point KXRefreshClock::deadline(std::chrono::steady_clock::time_point now,
    std::chrono::nanoseconds period, int frames)
{
    auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch());
    long long passed = since.count() / period.count();
    return std::chrono::steady_clock::time_point(std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        period * (passed + frames)));
}

void KXRefreshClock::wait(int frames)
{
    if (frames <= 0)
        return;
    std::this_thread::sleep_until(deadline(std::chrono::steady_clock::now(), period(), frames));
}

// KXRefreshClock: waiting for display refreshes. The display's refreshes are taken to fall on a
// steady grid of the screen driver's refresh period (60 Hz without a screen driver), so a wait
// for n refreshes ends at the n-th grid point after now: never sooner than n - 1 periods, never
// later than n.
#pragma once

#include <chrono>

class KXRefreshClock {
public:
    // Blocks until frames refreshes have passed; frames <= 0 returns at once.
    static void wait(int frames);
    // The refresh period of the display now in force.
    static std::chrono::nanoseconds period();
    // The end of a wait of frames refreshes begun at now on a grid of that period.
    static std::chrono::steady_clock::time_point deadline(std::chrono::steady_clock::time_point now,
        std::chrono::nanoseconds period, int frames);
};

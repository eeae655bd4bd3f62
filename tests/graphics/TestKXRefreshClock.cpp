// Refresh waits: the end of a wait lies on the refresh grid, n periods on from the last refresh.
#include "graphics/KXRefreshClock.h"
#include "tests/support/KXTestSupport.h"

#include <chrono>

using namespace std::chrono;

TEST(KXRefreshClock, DeadlineIsTheNthRefreshAfterNow)
{
    const nanoseconds period(16'666'667);
    const steady_clock::time_point onGrid(duration_cast<steady_clock::duration>(period * 1000));
    // Just after a refresh: one frame waits almost a whole period, two frames almost two.
    steady_clock::time_point now = onGrid + nanoseconds(1000);
    EXPECT_EQ(KXRefreshClock::deadline(now, period, 1), onGrid + period);
    EXPECT_EQ(KXRefreshClock::deadline(now, period, 2), onGrid + 2 * period);
    // Just before a refresh: the wait for one frame ends at that refresh.
    now = onGrid + period - nanoseconds(1000);
    EXPECT_EQ(KXRefreshClock::deadline(now, period, 1), onGrid + period);
    // Exactly on a refresh the next one counts.
    EXPECT_EQ(KXRefreshClock::deadline(onGrid, period, 1), onGrid + period);
}

TEST(KXRefreshClock, WaitsNoLongerThanTheFramesAsked)
{
    EXPECT_GE(KXRefreshClock::period(), milliseconds(1));
    auto before = steady_clock::now();
    KXRefreshClock::wait(0);
    KXRefreshClock::wait(-3);
    // Zero and negative counts return at once; nothing is left to wait for.
    EXPECT_LT(steady_clock::now() - before, KXRefreshClock::period());
    // A wait for one refresh ends no sooner than the next refresh.
    before = steady_clock::now();
    KXRefreshClock::wait(1);
    EXPECT_GE(steady_clock::now(), KXRefreshClock::deadline(before, KXRefreshClock::period(), 1));
}

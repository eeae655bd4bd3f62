// Timers: periods, pause and resume, reset, WaitTimer and the merging of waiting ticks.
#include "gui/KXTimerDriver.h"
#include "tests/gui/GuiTestSupport.h"

#include <chrono>
#include <thread>

namespace {
KXTimer* timerOf(int handle) { return kxHandle<KXTimer>(handle, "Timer"); }

// Sleeps in small steps until pred holds or two seconds passed.
template<class Pred>
bool eventually(Pred pred)
{
    for (int i = 0; i < 400; ++i) {
        if (pred())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return pred();
}
}

TEST_F(GuiTest, TimerPeriodsAreWholeMilliseconds)
{
    int t3 = CreateTimer(3.0f);
    EXPECT_EQ(timerOf(t3)->period(), 333);
    int half = CreateTimer(0.5f);
    EXPECT_EQ(timerOf(half)->period(), 2000);
    EXPECT_EQ(KXTimerDriver::periodFor(5000.0f), 1);
    EXPECT_EQ(CreateTimer(0.0f), 0);
    EXPECT_EQ(CreateTimer(-1.0f), 0);
    EXPECT_TRUE(sys().log().called("timeSetEvent 333"));
    FreeTimer(0);
    EXPECT_RUNTIME_ERROR(TimerTicks(t3 + 1), "Invalid Timer handle");
}

TEST_F(GuiTest, PauseAndResumeKeepTheCount)
{
    int t = CreateTimer(200.0f);
    ASSERT_TRUE(eventually([&] { return TimerTicks(t) >= 3; }));
    PauseTimer(t);
    PauseTimer(t); // idempotent
    int paused = TimerTicks(t);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(TimerTicks(t), paused);
    EXPECT_RUNTIME_ERROR(WaitTimer(t), "WaitTimer used with paused timer");
    ResumeTimer(t);
    ResumeTimer(t);
    ASSERT_TRUE(eventually([&] { return TimerTicks(t) > paused; }));
    EXPECT_LT(TimerTicks(t), paused + 100); // continued, not restarted from 0 or doubled
}

TEST_F(GuiTest, OneWaitingTickCarriesTheLatestCount)
{
    int t = CreateTimer(100.0f);
    ASSERT_TRUE(eventually([&] { return TimerTicks(t) >= 5; }));
    PauseTimer(t);
    EXPECT_EQ(WaitEvent(0), 0x4001);
    EXPECT_EQ(EventSource(), t);
    EXPECT_EQ(EventData(), TimerTicks(t));
    EXPECT_EQ(WaitEvent(0), 0);
}

TEST_F(GuiTest, ResetStartsTheCountAgain)
{
    int t = CreateTimer(100.0f);
    ASSERT_TRUE(eventually([&] { return TimerTicks(t) >= 2; }));
    PauseTimer(t);
    ResetTimer(t);
    EXPECT_EQ(TimerTicks(t), 0);
    FlushEvents(-1, 0);
    ResumeTimer(t);
    EXPECT_EQ(WaitEvent(-1), 0x4001);
    EXPECT_EQ(EventData(), 1);
    EXPECT_GE(WaitTimer(t), 1);
}

TEST_F(GuiTest, FreeingATimerFlushesItsTick)
{
    int t = CreateTimer(100.0f);
    int other = CreateTimer(0.01f);
    PauseTimer(other);
    ASSERT_TRUE(eventually([&] { return TimerTicks(t) >= 1; }));
    EXPECT_EQ(PeekEvent(), 0x4001);
    kxPostEvent(KXEvent::make(KXEventId::TimerTick, 4, 0, 0, 0, other));
    FreeTimer(t);
    EXPECT_EQ(WaitEvent(0), 0x4001);
    EXPECT_EQ(EventSource(), other);
    EXPECT_EQ(WaitEvent(0), 0);
}

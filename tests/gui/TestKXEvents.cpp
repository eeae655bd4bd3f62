// The event queue, WaitEvent and the two-stack message loop.
#include "core/KXFpuScope.h"
#include "gui/KXCatchFilter.h"
#include "tests/gui/GuiTestSupport.h"

TEST_F(GuiTest, MouseMovesFromOneSourceMerge)
{
    for (int i = 1; i <= 10; ++i)
        kxPostEvent(KXEvent::make(KXEventId::MouseMove, 0, i, 2 * i, 0, 7));
    EXPECT_EQ(queue().mainQueue().count(), 1);
    kxPostEvent(KXEvent::make(KXEventId::MouseMove, 0, 1, 1, 0, 8));
    kxPostEvent(KXEvent::make(KXEventId::MouseMove, 0, 5, 5, 0, 7));
    EXPECT_EQ(queue().mainQueue().count(), 3);
    EXPECT_EQ(WaitEvent(0), 0x203);
    EXPECT_EQ(EventX(), 10);
    EXPECT_EQ(EventY(), 20);
    EXPECT_EQ(EventSource(), 7);
}

TEST_F(GuiTest, OtherEventsComeBeforeTimerTicks)
{
    window("Keys");
    int timer = CreateTimer(0.01f);
    PauseTimer(timer);
    kxPostEvent(KXEvent::make(KXEventId::TimerTick, 1, 0, 0, 0, timer));
    post(KXEventId::MenuAction, 5);
    EXPECT_EQ(PeekEvent(), 0x1001);
    EXPECT_EQ(WaitEvent(-1), 0x1001);
    EXPECT_EQ(EventData(), 5);
    // A key that arrives while the tick waits still goes first.
    user().key(59, true);
    ASSERT_TRUE(settle());
    EXPECT_EQ(WaitEvent(-1), 0x101);
    EXPECT_EQ(WaitEvent(-1), 0x4001);
    EXPECT_EQ(WaitEvent(0), 0);
}

TEST_F(GuiTest, WaitEventWithoutEventsAndTimeouts)
{
    post(KXEventId::MenuAction, 1);
    EXPECT_EQ(WaitEvent(0), 0x1001);
    EXPECT_EQ(EventID(), 0x1001);
    EXPECT_EQ(WaitEvent(0), 0);
    EXPECT_EQ(EventID(), 0);
    EXPECT_EQ(EventData(), 0);
    EXPECT_EQ(WaitEvent(30), 0);
    EXPECT_EQ(PeekEvent(), 0);
}

TEST_F(GuiTest, FlushEventsMatchesKindsAndSources)
{
    post(KXEventId::GadgetAction, 0, 1);
    post(KXEventId::WindowMove, 0, 1);
    kxPostEvent(KXEvent { 0x4ff, 0, 0, 0, 0, 2 });
    post(KXEventId::WindowClose, 0, 2);
    post(KXEventId::WindowSize, 0, 2);
    FlushEvents(0x400, 0); // every gadget event
    EXPECT_EQ(queue().mainQueue().count(), 3);
    FlushEvents(0x803, 0); // exactly window close
    EXPECT_EQ(queue().mainQueue().count(), 2);
    FlushEvents(-1, 1);
    EXPECT_EQ(WaitEvent(0), 0x802);
    EXPECT_EQ(EventSource(), 2);
    EXPECT_EQ(WaitEvent(0), 0);
}

TEST_F(GuiTest, AFullQueueDropsNewEvents)
{
    for (int i = 0; i < 300; ++i)
        post(KXEventId::GadgetAction, i);
    EXPECT_EQ(queue().mainQueue().count(), 256);
    EXPECT_EQ(WaitEvent(0), 0x401);
    EXPECT_EQ(EventData(), 0);
}

TEST_F(GuiTest, HotKeysReplaceAndRespectModifiers)
{
    HotKeyEvent(183, 0, 0x5000, 1, 0, 0, 0, 0);
    HotKeyEvent(183, 0, 0x5000, 2, 0, 0, 0, 0);
    HotKeyEvent(183, 2, 0x5001, 3, 0, 0, 0, 0);
    EXPECT_EQ(KXHotKeyTable::instance().count(), 2);
    int win = window("Hot");
    user().key(183, true); // plain: the replaced entry
    user().key(183, false);
    user().key(0x1d, true); // Ctrl only updates the mask
    user().key(183, true);
    user().key(0x1d, false);
    user().key(30, true); // not a hot key: a key event
    EXPECT_EQ(WaitEvent(-1), 0x5000);
    EXPECT_EQ(EventData(), 2);
    EXPECT_EQ(WaitEvent(-1), 0x102); // the hot key's release is an ordinary key event
    EXPECT_EQ(WaitEvent(-1), 0x5001);
    EXPECT_EQ(EventData(), 3);
    EXPECT_EQ(WaitEvent(-1), 0x101);
    EXPECT_EQ(EventData(), 30);
    EXPECT_EQ(EventSource(), win);
    EXPECT_EQ(WaitEvent(-1), 0x103);
    EXPECT_EQ(EventData(), 'a');
    EXPECT_EQ(WaitEvent(0), 0);

    for (int k = 0; k < 98; ++k)
        HotKeyEvent(k, 0, 0x5000, 0, 0, 0, 0, 0);
    EXPECT_EQ(KXHotKeyTable::instance().count(), 100);
    HotKeyEvent(5, 0, 0x5002, 0, 0, 0, 0, 0); // replacing still works when full
    EXPECT_RUNTIME_ERROR(HotKeyEvent(200, 0, 1, 0, 0, 0, 0, 0), "Too many hotkey events registered");
}

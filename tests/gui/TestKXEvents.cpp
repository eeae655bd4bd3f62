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

TEST_F(GuiTest, EachTimerKeepsOneWaitingTickWithTheLatestCount)
{
    sys().messages().postThreadMessage(KXThreadMessage::TimerTick, 1, 0x1234); // a tick of no live timer is dropped
    int timer = CreateTimer(0.01f);
    PauseTimer(timer);
    for (int n = 1; n <= 5; ++n)
        sys().messages().postThreadMessage(KXThreadMessage::TimerTick, n, timer);
    EXPECT_EQ(WaitEvent(0), 0x4001);
    EXPECT_EQ(EventData(), 5);
    EXPECT_EQ(EventSource(), timer);
    EXPECT_EQ(WaitEvent(0), 0);
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

TEST_F(GuiTest, TheLoopRunsOnlyOnItsOwnStack)
{
    EXPECT_FALSE(driver().isOnLoopStack());
    EXPECT_RUNTIME_ERROR(driver().runLoopPass(), "Wrong thread!");
    // Polling from inside the loop does nothing; an error raised there reaches the program.
    int win = window("Loop");
    bool nestedPollReturned = false;
    sys().messages().postMessage(win, [&] {
        driver().poll(-1);
        nestedPollReturned = driver().isOnLoopStack();
        kxRuntimeError("raised in a handler");
    });
    EXPECT_RUNTIME_ERROR(WaitEvent(0), "raised in a handler");
    EXPECT_TRUE(nestedPollReturned);
    EXPECT_FALSE(driver().isPassSuspended());
}

TEST_F(GuiTest, CatchFilterHandsEventsOverDuringAModalLoop)
{
    int win = window("Drag", 10, 10, 200, 100);
    hw(win)->userDrag({ { 20, 30 }, { 40, 50 } });
    EXPECT_EQ(WaitEvent(-1), 0x2004);
    EXPECT_TRUE(queue().isInModalLoop());
    EXPECT_EQ(sys().messages().modalDepth(), 1); // the native modal loop is still running
    EXPECT_TRUE(driver().isPassSuspended());
    EXPECT_EQ(WaitEvent(-1), 0x801);
    EXPECT_EQ(EventX(), 20);
    EXPECT_EQ(EventY(), 30);
    EXPECT_EQ(GadgetX(win), 20);
    EXPECT_EQ(sys().messages().modalDepth(), 1);
    // A timer tick arriving inside the modal loop is converted by it and waits behind the
    // other events.
    int timer = CreateTimer(0.01f);
    PauseTimer(timer);
    sys().messages().postThreadMessage(KXThreadMessage::TimerTick, 9, timer);
    EXPECT_EQ(WaitEvent(-1), 0x801);
    EXPECT_EQ(EventX(), 40);
    EXPECT_EQ(queue().timerQueue().count(), 1);
    EXPECT_EQ(WaitEvent(-1), 0x2005);
    EXPECT_FALSE(queue().isInModalLoop());
    EXPECT_EQ(WaitEvent(-1), 0x4001);
    EXPECT_EQ(EventData(), 9);
    EXPECT_EQ(sys().messages().modalDepth(), 0);
    EXPECT_EQ(WaitEvent(0), 0);
    EXPECT_FALSE(driver().isPassSuspended());
}

TEST_F(GuiTest, ApplicationResumeWaitsUntilTheNativeQueueIsEmpty)
{
    int win = window("Main");
    sys().world().addForeignWindow({ "w1", "Other", { 0, 0, 10, 10 }, { 0, 0, 10, 10 }, 0 });
    HeadlessScript::instance().addLines({ "activate w1", "activate program" });
    EXPECT_EQ(WaitEvent(-1), 0x2001);
    EXPECT_TRUE(queue().isSuspended());
    EXPECT_EQ(WaitEvent(-1), 0x804);
    EXPECT_EQ(EventSource(), win);
    EXPECT_EQ(WaitEvent(-1), 0x2002);
    EXPECT_FALSE(queue().isSuspended());
    EXPECT_FALSE(KXCatchFilter::installed()->isHolding());
}

TEST_F(GuiTest, AutoSuspendBlocksUntilTheApplicationIsActiveAgain)
{
    window("Main");
    AutoSuspend(1);
    sys().world().addForeignWindow({ "w1", "Other", { 0, 0, 10, 10 }, { 0, 0, 10, 10 }, 0 });
    HeadlessScript::instance().addLines({ "activate w1", "wait 20", "activate program" });
    EXPECT_EQ(WaitEvent(-1), 0x2001); // returned only once resumed
    EXPECT_FALSE(queue().isSuspendBlocking());
    EXPECT_FALSE(HeadlessScript::instance().isFinished() && queue().waitingCount() == 0);

    // A quit request while blocked ends the program.
    queue().mainQueue().clear();
    sys().messages().postThreadMessage(KXThreadMessage::HiddenSuspend, 0, 0);
    sys().messages().postThreadMessage(KXThreadMessage::Quit, 0, 0);
    EXPECT_EQ(KX_ERROR_OF(WaitEvent(-1)), "<end>");
}

// The message loop runs toolkit code on its own stack: at the platform's x87 control word even
// while the program's code runs at single precision, which the program gets back afterwards.
TEST_F(GuiTest, TheLoopStackRunsWithThePlatformsControlWord)
{
    uint16_t loopWord = 0;
    double loopResult = 0;
    sys().messages().postMessage(0, [&] {
        loopWord = KXFpuScope::controlWord();
        // 1 / 3 on the x87 unit, as toolkit code built for x87 arithmetic computes it.
        double one = 1.0, three = 3.0;
        asm volatile("fldl %1\n\tfdivl %2\n\tfstpl %0"
                     : "=m"(loopResult)
                     : "m"(one), "m"(three));
    });
    uint16_t programWord = 0;
    KXFpuScope::setControlWord(0x007F); // single precision, as a program may ask
    driver().poll(0);
    programWord = KXFpuScope::controlWord();
    KXFpuScope::setControlWord(KXFpuScope::platformDefault());
    EXPECT_EQ(programWord, 0x007F);
    EXPECT_EQ(loopWord, KXFpuScope::platformDefault());
    EXPECT_EQ(loopResult, 1.0 / 3.0);
}

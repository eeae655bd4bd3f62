// The headless message loop: thread messages, native handlers on the loop's stack, the native modal loop and application activation through the virtual desktop.
#include "core/KXFpuScope.h"
#include "gui/KXCatchFilter.h"
#include "tests/headless/HeadlessTestSupport.h"

TEST_F(HeadlessGuiTest, EachTimerKeepsOneWaitingTickWithTheLatestCount)
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

TEST_F(HeadlessGuiTest, TheLoopRunsOnlyOnItsOwnStack)
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

TEST_F(HeadlessGuiTest, CatchFilterHandsEventsOverDuringAModalLoop)
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

TEST_F(HeadlessGuiTest, ApplicationResumeWaitsUntilTheNativeQueueIsEmpty)
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

TEST_F(HeadlessGuiTest, AutoSuspendBlocksUntilTheApplicationIsActiveAgain)
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
TEST_F(HeadlessGuiTest, TheLoopStackRunsWithThePlatformsControlWord)
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

// KXEventDriver: the platform message loop and the rules by which the program takes events.
//
// The program and the message loop share the main thread but run on two stacks: the loop has
// a 256 KB stack of its own and control passes between the stacks only through poll (program
// to loop) and yieldToProgram (loop to program). So the two never run at once and the queues
// need no lock. A backend supplies pumpMessages, which runs on the loop's stack.
//
// Invariants: m_onLoop is true exactly while the loop's stack runs; at most one driver is
// started at a time.
#pragma once

#include "gui/KXEvent.h"
#include "gui/KXThreadMessage.h"
#include "base/KXDriver.h"

#include <exception>
#include <memory>

class KXEventDriver : public KXDriver<KXEventDriver> {
public:
    static constexpr int LoopStackSize = 0x40000;

    KXEventDriver(const char* name, KXPlatform platform);
    ~KXEventDriver() override;

    // Runs the message loop once on its own stack, waiting at most timeoutMs for input (-1:
    // without limit, 0: not at all). Called from the loop's own stack it does nothing. A runtime
    // error raised inside the loop reaches the caller as if raised here.
    void poll(int timeoutMs);
    // From inside the loop: hands control to the program at once; returns when the program
    // polls again. Does nothing on the program's stack.
    void yieldToProgram();
    bool isOnLoopStack() const { return m_onLoop; }
    // True while a platform handler runs inside the loop: an event it posts goes to the program
    // at once. The loop's own conversion of thread messages (timer ticks) does not count, so
    // ticks that piled up merge before the program sees them.
    bool isInHandler() const { return m_onLoop && !m_convertingThreadMessage; }
    // True while a loop pass was left in the middle (a handler handed control to the program);
    // the next poll continues it.
    bool isPassSuspended() const { return m_passActive; }
    // The body of one loop pass; raises "Wrong thread!" unless it runs on the loop's stack.
    void runLoopPass();

    // WaitEvent: clears the current event, waits up to timeoutMs (-1 forever) and returns the id
    // of the event taken, or 0 when the time ran out.
    int waitEvent(int timeoutMs);
    // PeekEvent: runs the loop once without waiting; the id of the next waiting event or 0.
    int peekEvent();
    // FlushEvents: polls and removes matching entries until the queues stop changing.
    void flushEvents(int kind, int source);
    // The poll every input command makes first.
    void pollInput();
    const KXEvent& currentEvent() const { return m_current; }
    void clearCurrentEvent() { m_current = {}; }

    // Removes every waiting event of a source that is going away, from the queues and from the
    // platform's own message queue.
    static void forgetSource(int source);

protected:
    // The queue filter; the backend's own dependencies come through its startup.
    bool startDependencies() override;
    // Makes the loop's stack (kept across restarts: a suspended pass may resume later).
    bool started() override;
    // Waits up to timeoutMs (-1 without limit, 0 not at all) for platform input, then dispatches
    // every waiting platform message. Runs on the loop's stack.
    virtual void pumpMessages(int timeoutMs) = 0;
    // Drops platform messages that would raise events for source. Default: none kept.
    virtual void dropNativeMessages(int source) { (void)source; }
    // Turns a thread message the backend's loop took from its native queue into an event:
    // the control requests 0x40000001..3, or a timer tick (data = tick count, source = timer).
    // A tick of a timer freed since it was posted is dropped here, so backends need not check.
    void threadMessage(KXThreadMessage message, int param1, int param2);

private:
    // Thrown on the loop's stack to abandon a pass whose end of program was handed to the
    // program's stack, should that pass ever be resumed (only a test's end trap lets the program
    // go on after an end).
    struct PassAbandoned { };

    static void loopEntry();
    // The end relay (kxSetEndRelay): on the loop's stack, hands the end to the program's stack.
    static void relayEnd();
    [[noreturn]] void loopMain();
    bool take(int timeoutMs, KXEvent& out);
    void blockWhileSuspended();

    std::unique_ptr<char[]> m_stack;
    void* m_programStack { nullptr }; // saved stack pointer of the side not running
    void* m_loopStack { nullptr };
    bool m_onLoop { false };
    bool m_passActive { false };
    bool m_convertingThreadMessage { false };
    bool m_endRequested { false }; // the loop asked the program's stack to end the program
    int m_timeout { 0 };
    std::exception_ptr m_pending;
    KXEvent m_current {};
};

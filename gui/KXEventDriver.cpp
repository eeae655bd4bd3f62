// The two-stack message loop and the taking of events.
#include "gui/KXEventDriver.h"

#include "core/KXFpuScope.h"
#include "gui/KXCatchFilter.h"
#include "gui/KXEventFilter.h"
#include "gui/KXQueFilter.h"
#include "gui/KXStackSwitch.h"
#include "gui/KXTimer.h"
#include "base/KXError.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

#include <chrono>

namespace {
long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}

KXEventDriver::KXEventDriver(const char* name, KXPlatform platform)
    : KXDriver(name, nullptr, nullptr, platform)
{
}

KXEventDriver::~KXEventDriver()
{
    // A process that exits from the loop's stack without a relay (an internal error) still
    // stands on it while static objects go: the stack must outlive them.
    if (m_onLoop)
        (void)m_stack.release();
}

bool KXEventDriver::startDependencies() { return kxStartModule(KXModuleNames::QueFilter); }

bool KXEventDriver::started()
{
    // The loop's stack is kept at shutdown: a loop pass suspended inside a handler may still be
    // resumed by a later start of the driver in the same process.
    if (!m_stack) {
        m_stack = std::make_unique<char[]>(LoopStackSize);
        m_loopStack = KXStackSwitch::prepare(m_stack.get(), LoopStackSize, &KXEventDriver::loopEntry);
    }
    kxSetEndRelay(&KXEventDriver::relayEnd);
    return true;
}

void KXEventDriver::loopEntry() { current()->loopMain(); }

void KXEventDriver::relayEnd()
{
    KXEventDriver* d = current();
    if (!d || !d->m_onLoop)
        return;
    d->m_endRequested = true;
    d->yieldToProgram();
    throw PassAbandoned {};
}

void KXEventDriver::loopMain()
{
    for (;;) {
        try {
            m_passActive = true;
            runLoopPass();
        } catch (const PassAbandoned&) {
            // The program ended from inside this pass and went on regardless: nothing to report.
        } catch (...) {
            // Exceptions cannot unwind across the stack switch; the program's side rethrows.
            m_pending = std::current_exception();
        }
        m_passActive = false;
        yieldToProgram();
    }
}

void KXEventDriver::runLoopPass()
{
    if (!m_onLoop)
        kxRuntimeError("Wrong thread!");
    pumpMessages(m_timeout);
    if (KXCatchFilter* catcher = KXCatchFilter::installed())
        catcher->releaseHeld();
}

void KXEventDriver::poll(int timeoutMs)
{
    if (m_onLoop)
        return;
    m_timeout = timeoutMs;
    m_onLoop = true;
    {
        // The loop runs toolkit code: with the platform's control word, the program's back on
        // return (also when the loop hands control back from inside a handler).
        KXFpuScope libraryFpu;
        KXStackSwitch::switchTo(&m_programStack, m_loopStack);
    }
    m_onLoop = false;
    if (m_endRequested) {
        // The loop ended the program (a quit, a runtime error in a handler): the end goes on
        // here, on the program's stack, and never returns.
        m_endRequested = false;
        kxEnd();
    }
    if (m_pending) {
        std::exception_ptr e = m_pending;
        m_pending = nullptr;
        std::rethrow_exception(e);
    }
}

void KXEventDriver::yieldToProgram()
{
    if (!m_onLoop)
        return;
    m_onLoop = false;
    KXStackSwitch::switchTo(&m_loopStack, m_programStack);
    m_onLoop = true;
}

void KXEventDriver::threadMessage(KXThreadMessage message, int param1, int param2)
{
    if (message == KXThreadMessage::TimerTick) {
        auto* object = reinterpret_cast<KXObject*>(intptr_t(param2));
        if (!KXObject::isLive(object) || !dynamic_cast<KXTimer*>(object))
            return;
    }
    struct Converting {
        bool& flag;
        explicit Converting(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~Converting() { flag = false; }
    } converting(m_convertingThreadMessage);
    switch (message) {
    case KXThreadMessage::HiddenSuspend:
        kxPostEvent(KXEvent::make(KXEventId::HiddenSuspend));
        break;
    case KXThreadMessage::HiddenResume:
        kxPostEvent(KXEvent::make(KXEventId::HiddenResume));
        break;
    case KXThreadMessage::Quit:
        kxPostEvent(KXEvent::make(KXEventId::QuitRequest));
        break;
    case KXThreadMessage::TimerTick:
        kxPostEvent(KXEvent::make(KXEventId::TimerTick, param1, 0, 0, 0, param2));
        break;
    case KXThreadMessage::None:
        break;
    }
}

// Main-queue events first; a timer tick only when, after one more look at the platform, no
// other event waits.
bool KXEventDriver::take(int timeoutMs, KXEvent& out)
{
    KXQueFilter& q = KXQueFilter::instance();
    const long long deadline = timeoutMs > 0 ? nowMs() + timeoutMs : 0;
    bool polled = false;
    for (;;) {
        if (!q.mainQueue().isEmpty()) {
            out = q.mainQueue().pop();
            return true;
        }
        if (!q.timerQueue().isEmpty()) {
            poll(0);
            if (!q.mainQueue().isEmpty())
                out = q.mainQueue().pop();
            else if (!q.timerQueue().isEmpty())
                out = q.timerQueue().pop();
            else
                continue;
            return true;
        }
        int wait;
        if (timeoutMs < 0) {
            wait = -1;
        } else if (timeoutMs == 0) {
            if (polled)
                return false;
            wait = 0;
        } else {
            long long left = deadline - nowMs();
            if (left <= 0 && polled)
                return false;
            wait = left > 0 ? int(left) : 0;
        }
        poll(wait);
        polled = true;
    }
}

void KXEventDriver::blockWhileSuspended()
{
    KXQueFilter& q = KXQueFilter::instance();
    while (q.isSuspendBlocking()) {
        if (q.isQuitRequested())
            kxEnd();
        poll(-1);
    }
}

int KXEventDriver::waitEvent(int timeoutMs)
{
    m_current = {};
    KXEvent ev;
    if (!take(timeoutMs, ev))
        return 0;
    KXQueFilter& q = KXQueFilter::instance();
    if (ev.is(KXEventId::ModalEnter))
        q.setInModalLoop(true);
    else if (ev.is(KXEventId::ModalLeave))
        q.setInModalLoop(false);
    m_current = ev;
    blockWhileSuspended();
    return ev.id;
}

int KXEventDriver::peekEvent()
{
    poll(0);
    KXQueFilter& q = KXQueFilter::instance();
    if (!q.mainQueue().isEmpty())
        return q.mainQueue().front().id;
    if (!q.timerQueue().isEmpty())
        return q.timerQueue().front().id;
    return 0;
}

void KXEventDriver::flushEvents(int kind, int source)
{
    KXQueFilter& q = KXQueFilter::instance();
    int before;
    do {
        before = q.waitingCount();
        poll(0);
        q.removeMatching(kind, source);
    } while (q.waitingCount() != before);
}

void KXEventDriver::pollInput()
{
    if (!KXQueFilter::instance().isInModalLoop())
        poll(0);
    blockWhileSuspended();
}

void KXEventDriver::forgetSource(int source)
{
    if (source == 0)
        return;
    KXQueFilter::instance().removeMatching(-1, source);
    if (KXEventDriver* driver = current())
        driver->dropNativeMessages(source);
}

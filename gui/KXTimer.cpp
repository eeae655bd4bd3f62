// Timers: reset, pause and WaitTimer.
#include "gui/KXTimer.h"

#include "gui/KXEventDriver.h"
#include "base/KXError.h"

void KXTimer::reset()
{
    resetCount();
    m_ticksAtLastWait = 0;
}

void KXTimer::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (paused)
        stopNative();
    else
        startNative();
}

int KXTimer::waitTimer()
{
    if (m_paused)
        kxRuntimeError("WaitTimer used with paused timer");
    KXEventDriver* driver = KXEventDriver::current();
    if (driver)
        driver->pollInput();
    for (;;) {
        int now = ticks();
        int n = now - m_ticksAtLastWait;
        m_ticksAtLastWait = now;
        if (n > 0)
            return n;
        if (!driver)
            return 0;
        driver->waitEvent(-1);
    }
}

// KXTimer: a periodic event source that counts its ticks; each tick becomes event 0x4001 with
// the count as data. Backends derive and run the periodic part.
//
// Invariants: the tick count is written only by the backend's timer thread (and reset), read
// by the main thread; ticks-at-last-wait is main-thread state.
#pragma once

#include "gui/KXEventSource.h"

class KXTimer : public KXEventSource {
public:
    // period in milliseconds, at least 1.
    explicit KXTimer(int periodMs)
        : m_period(periodMs)
    {
    }

    // Operations in slot order.
    virtual int ticks() const = 0;
    // Tick count and ticks-at-last-wait back to 0; the running state is kept.
    virtual void reset();
    // Pausing stops the periodic part, the count stays; resuming starts a new one whose first
    // tick comes one full period later. Idempotent.
    virtual void setPaused(bool paused);

    // WaitTimer: the ticks since the last call, waiting for at least one; "WaitTimer used with
    // paused timer" on a paused timer.
    int waitTimer();

    int period() const { return m_period; }
    bool isPaused() const { return m_paused; }
    const char* typeName() const override { return "Timer"; }

protected:
    virtual void resetCount() = 0;
    virtual void stopNative() = 0;
    virtual void startNative() = 0;

private:
    int m_ticksAtLastWait { 0 };
    bool m_paused { false };
    int m_period;
};

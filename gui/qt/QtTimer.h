// QtTimer: a timer whose periodic part is a tick thread posting thread message 4 (tick count,
// timer) into the Qt loop.
#pragma once

#include "gui/KXTimer.h"
#include "gui/KXTimerThread.h"

#include <atomic>

class QtTimer final : public KXTimer {
public:
    explicit QtTimer(int periodMs);
    ~QtTimer() override;
    // Stops the thread before the waiting ticks are flushed, so none can follow.
    void free() override;

    int ticks() const override { return m_count.load(); }

protected:
    void resetCount() override { m_count.store(0); }
    void stopNative() override { m_thread.stop(); }
    void startNative() override { m_thread.start(period()); }

private:
    std::atomic<int> m_count { 0 };
    KXTimerThread m_thread;
};

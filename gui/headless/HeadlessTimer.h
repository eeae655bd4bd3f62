// HeadlessTimer: a timer whose periodic part is a tick thread posting thread message 4 (tick
// count, timer) to the headless message queue.
#pragma once

#include "gui/KXTimer.h"
#include "gui/KXTimerThread.h"

#include <atomic>

class HeadlessTimer final : public KXTimer {
public:
    explicit HeadlessTimer(int periodMs);
    ~HeadlessTimer() override;
    // Stops the thread before the waiting ticks are flushed, so none can follow.
    void free() override;

    int ticks() const override { return m_count.load(); }
    bool isRunning() const { return m_thread.isRunning(); }

protected:
    void resetCount() override { m_count.store(0); }
    void stopNative() override;
    void startNative() override;

private:
    std::atomic<int> m_count { 0 };
    KXTimerThread m_thread;
};

// KXQueFilter: the last filter of the event chain. It owns the main queue, the timer queue and
// the application's suspend flags, and decides per event code how an event is queued.
//
// Invariants: the timer queue holds only 0x4001 entries, at most one per (id, source); the
// main queue never holds 0x4001 or the internal requests 0x40000001/0x40000002.
#pragma once

#include "gui/KXEventFilter.h"
#include "gui/KXEventQueue.h"

class KXQueFilter final : public KXEventFilter {
public:
    KXQueFilter();
    static KXQueFilter& instance();

    void filter(const KXEvent& ev) override;
    void shutdown() override;

    KXEventQueue& mainQueue() { return m_main; }
    KXEventQueue& timerQueue() { return m_timer; }
    int waitingCount() const { return m_main.count() + m_timer.count(); }

    // Removes from both queues every entry that matches (kind, source): source 0 or equal, and
    // kind -1, or an equal id when kind's low byte is set, or an id sharing a bit with kind
    // when its low byte is clear.
    void removeMatching(int kind, int source);
    static bool matches(const KXEvent& ev, int kind, int source);

    bool isSuspended() const { return m_suspended; }
    bool isHiddenSuspended() const { return m_hiddenSuspended; }
    bool isSuspendBlocking() const { return m_suspendBlocking; }
    bool isQuitRequested() const { return m_quitRequested; }
    bool isInModalLoop() const { return m_inModalLoop; }
    void setInModalLoop(bool on) { m_inModalLoop = on; }
    bool autoSuspend() const { return m_autoSuspend; }
    void setAutoSuspend(bool on) { m_autoSuspend = on; }

    // The graphics system's reaction to a platform suspend request (true) or resume (false).
    using GraphicsSuspendHook = void (*)(bool suspend);
    static void setGraphicsSuspendHook(GraphicsSuspendHook hook) { s_graphicsHook = hook; }

    // Empties both queues and clears every flag (a fresh run).
    void reset();

private:
    KXEventQueue m_main;
    KXEventQueue m_timer;
    bool m_suspended { false };
    bool m_hiddenSuspended { false };
    bool m_suspendBlocking { false };
    bool m_quitRequested { false };
    bool m_inModalLoop { false };
    bool m_autoSuspend { false };
    static inline GraphicsSuspendHook s_graphicsHook { nullptr };
};

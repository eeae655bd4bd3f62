// KXQueFilter: the per-code queueing rules and the suspend flags.
#include "gui/KXQueFilter.h"

KXQueFilter::KXQueFilter()
    : KXEventFilter("KXQueFilter")
{
}

KXQueFilter& KXQueFilter::instance()
{
    static KXQueFilter filter;
    return filter;
}

namespace {
// Registers the module during static construction.
[[maybe_unused]] KXQueFilter& s_queFilter = KXQueFilter::instance();
}

void KXQueFilter::shutdown()
{
    KXEventFilter::shutdown();
    reset();
}

void KXQueFilter::reset()
{
    m_main.clear();
    m_timer.clear();
    m_suspended = m_hiddenSuspended = m_suspendBlocking = false;
    m_quitRequested = m_inModalLoop = m_autoSuspend = false;
}

void KXQueFilter::filter(const KXEvent& ev)
{
    switch (KXEventId(ev.id)) {
    case KXEventId::MouseMove: {
        // A burst of moves from one gadget keeps only its latest position.
        KXEvent* last = m_main.newest();
        if (last && last->id == ev.id && last->source == ev.source)
            *last = ev;
        else
            m_main.push(ev);
        return;
    }
    case KXEventId::AppSuspend:
        if (!m_suspended) {
            m_suspended = true;
            if (m_autoSuspend || m_hiddenSuspended)
                m_suspendBlocking = true;
        }
        m_main.push(ev);
        return;
    case KXEventId::AppResume:
        if (m_suspended) {
            m_suspended = false;
            m_suspendBlocking = m_hiddenSuspended;
        }
        m_main.push(ev);
        return;
    case KXEventId::TimerTick: {
        // Each timer has at most one waiting tick, carrying its latest count.
        KXEvent* waiting = m_timer.find([&](const KXEvent& e) { return e.id == ev.id && e.source == ev.source; });
        if (waiting)
            *waiting = ev;
        else
            m_timer.push(ev);
        return;
    }
    case KXEventId::HiddenSuspend:
        if (!m_hiddenSuspended) {
            m_hiddenSuspended = true;
            m_suspendBlocking = true;
            if (s_graphicsHook)
                s_graphicsHook(true);
        }
        return;
    case KXEventId::HiddenResume:
        if (m_hiddenSuspended) {
            m_hiddenSuspended = false;
            m_suspendBlocking = m_suspended && m_autoSuspend;
            if (s_graphicsHook)
                s_graphicsHook(false);
        }
        return;
    case KXEventId::QuitRequest:
        m_quitRequested = true;
        m_suspendBlocking = true;
        m_main.push(ev);
        return;
    default:
        m_main.push(ev);
        return;
    }
}

bool KXQueFilter::matches(const KXEvent& ev, int kind, int source)
{
    if (source != 0 && ev.source != source)
        return false;
    if (kind == -1)
        return true;
    if (kind & 0xff)
        return ev.id == kind;
    return (ev.id & kind) != 0;
}

void KXQueFilter::removeMatching(int kind, int source)
{
    auto match = [&](const KXEvent& ev) { return matches(ev, kind, source); };
    m_main.removeIf(match);
    m_timer.removeIf(match);
}

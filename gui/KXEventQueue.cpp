// The event ring.
#include "gui/KXEventQueue.h"

bool KXEventQueue::push(const KXEvent& ev)
{
    if (isFull())
        return false;
    m_ring[m_put++ % Capacity] = ev;
    return true;
}

KXEvent KXEventQueue::pop()
{
    KXEvent ev = m_ring[m_get % Capacity];
    ++m_get;
    return ev;
}

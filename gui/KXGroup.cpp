// Group gadgets: the child list, the client size and the layout of children.
#include "gui/KXGroup.h"

#include "base/KXError.h"

KXGroup::KXGroup(KXGroup* group, int style)
    : KXGadget(group, style)
{
}

KXGroup::~KXGroup()
{
    // Children normally left in free(); a group deleted another way leaves them parentless.
    for (KXGadget* c = m_first; c;) {
        KXGadget* next = c->m_nextSibling;
        c->m_group = nullptr;
        c->m_prevSibling = c->m_nextSibling = nullptr;
        c = next;
    }
}

void KXGroup::free()
{
    while (KXGadget* child = m_first) {
        if (child->refs() > 1)
            kxRuntimeError("Error removing child gadget");
        child->release();
        if (m_first == child)
            removeChild(child);
    }
    KXGadget::free();
}

void KXGroup::setShape(int x, int y, int width, int height)
{
    storeShape(x, y, width, height);
    setClientSize(width, height);
}

void KXGroup::setClientSize(int width, int height)
{
    m_clientWidth = width;
    m_clientHeight = height;
    layoutChildren();
}

void KXGroup::layoutChildren()
{
    for (KXGadget* c = m_first; c;) {
        KXGadget* next = c->m_nextSibling;
        c->applyLayout(m_clientWidth, m_clientHeight);
        c = next;
    }
}

void KXGroup::addChild(KXGadget* child)
{
    child->m_group = this;
    child->m_prevSibling = m_last;
    child->m_nextSibling = nullptr;
    if (m_last)
        m_last->m_nextSibling = child;
    else
        m_first = child;
    m_last = child;
    ++m_count;
}

void KXGroup::removeChild(KXGadget* child)
{
    if (!child || child->m_group != this)
        kxRuntimeError("Error removing gadget from group");
    if (child->m_prevSibling)
        child->m_prevSibling->m_nextSibling = child->m_nextSibling;
    else
        m_first = child->m_nextSibling;
    if (child->m_nextSibling)
        child->m_nextSibling->m_prevSibling = child->m_prevSibling;
    else
        m_last = child->m_prevSibling;
    child->m_group = nullptr;
    child->m_prevSibling = child->m_nextSibling = nullptr;
    --m_count;
}

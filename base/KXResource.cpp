// Resource ownership lists.
#include "base/KXResource.h"

#include <algorithm>

KXResource::~KXResource()
{
    if (m_owner) {
        auto& sib = m_owner->m_children;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        m_owner = nullptr;
    }
    // free() has normally emptied the list already; a subclass that overrides free() without
    // calling ours must still not leak its children.
    releaseChildren();
}

void KXResource::free()
{
    releaseChildren();
    delete this;
}

void KXResource::adopt(KXResource* child)
{
    if (!child || child->m_owner == this)
        return;
    if (child->m_owner) {
        auto& sib = child->m_owner->m_children;
        sib.erase(std::remove(sib.begin(), sib.end(), child), sib.end());
    }
    child->m_owner = this;
    m_children.push_back(child);
}

void KXResource::orphan(KXResource* child)
{
    if (!child || child->m_owner != this)
        return;
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    child->m_owner = nullptr;
}

void KXResource::releaseChildren()
{
    while (!m_children.empty()) {
        KXResource* c = m_children.back();
        m_children.pop_back();
        c->m_owner = nullptr;
        c->release();
    }
}

void KXResource::releaseFromOwner()
{
    if (m_owner)
        m_owner->orphan(this);
    release();
}

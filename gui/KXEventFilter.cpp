// The filter chain.
#include "gui/KXEventFilter.h"

bool KXEventFilter::startup()
{
    install();
    return true;
}

void KXEventFilter::shutdown() { uninstall(); }

void KXEventFilter::install()
{
    if (m_installed)
        return;
    m_next = s_first;
    s_first = this;
    m_installed = true;
}

void KXEventFilter::uninstall()
{
    if (!m_installed)
        return;
    for (KXEventFilter** p = &s_first; *p; p = &(*p)->m_next) {
        if (*p == this) {
            *p = m_next;
            break;
        }
    }
    m_next = nullptr;
    m_installed = false;
}

void KXEventFilter::post(const KXEvent& ev)
{
    if (s_first)
        s_first->filter(ev);
}

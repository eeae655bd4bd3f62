// HTML views: navigation and history.
#include "gui/KXHtmlView.h"

KXHtmlView::KXHtmlView(KXGroup* group, int style)
    : KXGadget(group, style)
{
}

void KXHtmlView::go(const std::string& url)
{
    m_history.resize(size_t(m_position) + 1);
    m_history.push_back(url);
    ++m_position;
    nativeNavigate(url);
}

void KXHtmlView::back()
{
    if (m_position == 0)
        return;
    --m_position;
    nativeNavigate(currentUrl());
}

void KXHtmlView::forward()
{
    if (size_t(m_position) + 1 >= m_history.size())
        return;
    ++m_position;
    nativeNavigate(currentUrl());
}

void KXHtmlView::onNavigate(int code, const std::string& url)
{
    m_history.resize(size_t(m_position) + 1);
    m_history.push_back(url);
    ++m_position;
    m_eventUrl = url;
    emit(KXEventId::GadgetAction, code);
}

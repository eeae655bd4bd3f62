// Headless panels.
#include "gui/headless/HeadlessPanel.h"

#include <algorithm>

void HeadlessPanel::nativeRepaint()
{
    ++m_repaints;
    if (hasImage())
        HeadlessSystem::log().record("PanelBitmap %dx%d", imageWidth(), imageHeight());
    else
        HeadlessSystem::log().record("PanelColor %06x", unsigned(color()));
}

KXPixmap* HeadlessPanel::render() const
{
    KXPixmap* p = KXPixmap::create(std::max(clientWidth(), 1), std::max(clientHeight(), 1), 4);
    if (p && !paintBackground(p))
        p->fillRect(0, 0, p->width(), p->height(), DefaultBackground);
    return p;
}

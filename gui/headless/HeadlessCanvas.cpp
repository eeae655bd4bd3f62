// Headless canvases: flipping to the canvas's screen pixmap.
#include "gui/headless/HeadlessCanvas.h"

void HeadlessCanvas::nativeFlip(KXGraphics* back, bool vwait)
{
    if (!m_screen)
        m_screen = KXRef<KXPixmap>(KXPixmap::create(back->width(), back->height(), 4));
    if (m_screen)
        m_screen->copyRect(0, 0, back, 0, 0, back->width(), back->height(), false);
    ++m_flips;
    HeadlessSystem::log().record("FlipCanvas %d", vwait ? 1 : 0);
}

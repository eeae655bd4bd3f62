// Canvases: the back buffer and flipping.
#include "gui/KXCanvas.h"

#include "graphics/KXRefreshClock.h"

namespace {
constexpr uint32_t OpaqueBlack = 0xFF000000u;
}

KXCanvas::KXCanvas(KXGroup* group, int style)
    : KXGroup(group, style)
{
}

KXCanvas::~KXCanvas()
{
    if (K2DBuffer* b = m_buffer) {
        m_buffer = nullptr;
        b->release();
    }
}

void KXCanvas::attachBackBuffer(KXGraphics* back)
{
    KX_ASSERT(back && !m_buffer);
    m_buffer = K2DBuffer::create(back);
    back->fillRect(0, 0, back->width(), back->height(), OpaqueBlack);
    flip(false);
    back->fillRect(0, 0, back->width(), back->height(), OpaqueBlack);
}

void KXCanvas::flip(bool vwait)
{
    if (KXGraphics* back = backBuffer()) {
        if (vwait)
            KXRefreshClock::wait(1);
        nativeFlip(back, vwait);
    }
}

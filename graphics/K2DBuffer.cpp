// Buffers: lock counting, pixel access and the viewport rule.
#include "graphics/K2DBuffer.h"

#include "graphics/K2DGraphicsDriver.h"
#include "base/KXError.h"

#include <algorithm>

K2DBuffer* K2DBuffer::create(KXGraphics* graphics)
{
    KX_ASSERT(graphics);
    graphics->retain();
    return new K2DBuffer(graphics);
}

K2DBuffer::K2DBuffer(KXGraphics* graphics)
    : m_graphics(graphics)
    , m_vpW(graphics->width())
    , m_vpH(graphics->height())
{
}

K2DBuffer::~K2DBuffer()
{
    K2DGraphicsDriver::bufferGone(this);
    if (m_lockCount > 0)
        m_graphics->unlock();
    m_graphics->release();
}

void K2DBuffer::lock()
{
    if (m_lockCount == 0) {
        KXLockInfo info;
        if (!m_graphics->lock(info))
            kxRuntimeError("Unable to lock buffer");
        m_pixels = info.pixels;
        m_pitch = info.pitch;
        m_format = info.format;
        m_bpp = kxpf::bytesPerPixel(info.format);
    }
    ++m_lockCount;
}

void K2DBuffer::unlock()
{
    if (m_lockCount == 0)
        return;
    if (--m_lockCount == 0) {
        m_graphics->unlock();
        m_pixels = nullptr;
        m_pitch = 0;
        m_format = 0;
        m_bpp = 0;
    }
}

uint8_t* K2DBuffer::lockedPixels() const
{
    if (!m_lockCount)
        kxRuntimeError("Buffer is not locked");
    return m_pixels;
}

int K2DBuffer::lockedPitch() const
{
    if (!m_lockCount)
        kxRuntimeError("Buffer is not locked");
    return m_pitch;
}

int K2DBuffer::lockedFormat() const
{
    if (!m_lockCount)
        kxRuntimeError("Buffer is not locked");
    return m_format;
}

uint32_t K2DBuffer::read(int x, int y)
{
    x += m_originX;
    y += m_originY;
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return m_clsColor;
    lock();
    uint32_t c = readFast(x, y);
    unlock();
    return c;
}

void K2DBuffer::write(int x, int y, uint32_t argb)
{
    x += m_originX;
    y += m_originY;
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    lock();
    writeFast(x, y, argb);
    unlock();
}

void K2DBuffer::setViewport(int x, int y, int w, int h)
{
    const int W = width(), H = height();
    x = std::clamp(x, 0, W);
    y = std::clamp(y, 0, H);
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w > W - x)
        w = W - x;
    if (h > H - y)
        h = H - y;
    m_vpX = x;
    m_vpY = y;
    m_vpW = w;
    m_vpH = h;
}

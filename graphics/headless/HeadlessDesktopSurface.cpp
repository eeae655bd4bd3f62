// Surfaces over the headless virtual desktop.
#include "graphics/headless/HeadlessDesktopSurface.h"

#include "graphics/KXPixmap.h"
#include "graphics/headless/HeadlessScreen.h"

#include <algorithm>
#include <cstring>

HeadlessDesktopSurface::HeadlessDesktopSurface(HeadlessScreen& screen)
    : KXGraphics(screen.width(), screen.height())
    , m_screen(screen)
{
}

KXGraphics* HeadlessDesktopSurface::createCompatible(int width, int height) { return KXPixmap::create(width, height, 4); }

bool HeadlessDesktopSurface::lockSurface(KXLockInfo& info)
{
    info.format = 4;
    info.pitch = width() * 4;
    if (m_screen.width() == width() && m_screen.height() == height()) {
        info.pixels = reinterpret_cast<uint8_t*>(m_screen.pixels().data());
        return true;
    }
    m_shadow.assign(size_t(width()) * size_t(height()), 0xFF000000u);
    const int w = std::min(width(), m_screen.width()), h = std::min(height(), m_screen.height());
    for (int y = 0; y < h; ++y)
        std::memcpy(&m_shadow[size_t(y) * width()], &m_screen.pixels()[size_t(y) * m_screen.width()], size_t(w) * 4);
    info.pixels = reinterpret_cast<uint8_t*>(m_shadow.data());
    return true;
}

void HeadlessDesktopSurface::unlockSurface()
{
    if (m_shadow.empty())
        return;
    const int w = std::min(width(), m_screen.width()), h = std::min(height(), m_screen.height());
    for (int y = 0; y < h; ++y)
        std::memcpy(&m_screen.pixels()[size_t(y) * m_screen.width()], &m_shadow[size_t(y) * width()], size_t(w) * 4);
    m_shadow.clear();
    m_shadow.shrink_to_fit();
}

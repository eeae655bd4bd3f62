// Surfaces over the X screen.
#include "graphics/qt/QtDesktopSurface.h"

#include "graphics/KXPixmap.h"
#include "gui/KXDesktopServices.h"

QtDesktopSurface::QtDesktopSurface(int width, int height)
    : KXGraphics(width, height)
{
}

KXGraphics* QtDesktopSurface::createCompatible(int width, int height) { return KXPixmap::create(width, height, 4); }

bool QtDesktopSurface::lockSurface(KXLockInfo& info)
{
    KXDesktopServices* services = KXDesktopServices::current();
    if (!services)
        return false;
    m_pixels.assign(size_t(width()) * size_t(height()), 0xFF000000u);
    KXRect rect { 0, 0, std::min(width(), services->screenWidth()), std::min(height(), services->screenHeight()) };
    if (!services->readScreen(rect, reinterpret_cast<uint8_t*>(m_pixels.data()), width() * 4, 4))
        return false;
    info.format = 4;
    info.pitch = width() * 4;
    info.pixels = reinterpret_cast<uint8_t*>(m_pixels.data());
    return true;
}

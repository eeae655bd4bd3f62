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
    KXRect rect { 0, 0, std::min(width(), services->screenWidth()), std::min(height(), services->screenHeight()) };
    // Only what the screen does not cover needs the black; the read overwrites the rest.
    if (rect.width == width() && rect.height == height())
        m_pixels.resize(size_t(width()) * size_t(height()));
    else
        m_pixels.assign(size_t(width()) * size_t(height()), 0xFF000000u);
    if (!services->readScreen(rect, reinterpret_cast<uint8_t*>(m_pixels.data()), width() * 4, 4))
        return false;
    info.format = 4;
    info.pitch = width() * 4;
    info.pixels = reinterpret_cast<uint8_t*>(m_pixels.data());
    return true;
}

bool QtDesktopSurface::readInto(int x, int y, int w, int h, uint8_t* dst, int pitch, int format)
{
    KXDesktopServices* services = KXDesktopServices::current();
    if (!services || x < 0 || y < 0 || int64_t(x) + w > std::min(width(), services->screenWidth())
        || int64_t(y) + h > std::min(height(), services->screenHeight()))
        return false;
    return services->readScreen({ x, y, w, h }, dst, pitch, format);
}

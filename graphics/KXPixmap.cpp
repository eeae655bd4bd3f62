// Surfaces in ordinary memory.
#include "graphics/KXPixmap.h"

#include "graphics/KXPixelFormat.h"

#include <new>

KXPixmap* KXPixmap::create(int width, int height, int format)
{
    int bpp = kxpf::bytesPerPixel(format);
    if (width < 1 || height < 1 || bpp == 0)
        return nullptr;
    // Keep the block addressable with 32-bit offsets.
    if ((int64_t(width) * bpp + 3) * height > 0x7FFFFFF0)
        return nullptr;
    int pitch = (width * bpp + 3) & ~3;
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size_t(pitch) * size_t(height)]());
    if (!block)
        return nullptr;
    return new KXPixmap(width, height, format, pitch, std::move(block));
}

KXPixmap::KXPixmap(int width, int height, int format, int pitch, std::unique_ptr<uint8_t[]> pixels)
    : KXGraphics(width, height)
    , m_format(format)
    , m_pitch(pitch)
    , m_pixels(std::move(pixels))
{
}

bool KXPixmap::lockSurface(KXLockInfo& info)
{
    info.pixels = m_pixels.get();
    info.pitch = m_pitch;
    info.format = m_format;
    return true;
}

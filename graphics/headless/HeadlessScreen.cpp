// The headless virtual desktop's pixels.
#include "graphics/headless/HeadlessScreen.h"

#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"

#include <cstdint>
#include <cstring>
#include <new>

HeadlessScreen& HeadlessScreen::instance()
{
    static HeadlessScreen screen;
    return screen;
}

bool HeadlessScreen::resize(int width, int height)
{
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    // The pixel count in 64 bits: on a 32-bit host it would wrap round in size_t.
    if (int64_t(width) * height > MaxPixels)
        return false;
    std::vector<uint32_t> pixels;
    try {
        pixels.assign(size_t(width) * size_t(height), 0xFF000000u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_pixels = std::move(pixels);
    return true;
}

bool HeadlessScreen::loadImage(const std::string& path)
{
    KXRef<KXPixmap> picture(KXImageLoader::load(path));
    if (!picture)
        return false;
    const int w = picture->width(), h = picture->height();
    if (int64_t(w) * h > MaxPixels)
        return false;
    std::vector<uint32_t> pixels;
    try {
        pixels.resize(size_t(w) * size_t(h));
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(&pixels[size_t(y) * size_t(w)], picture->row(y), size_t(w) * 4);
    m_width = w;
    m_height = h;
    m_pixels = std::move(pixels);
    return true;
}

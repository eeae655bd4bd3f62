// The headless virtual desktop's pixels.
#include "graphics/headless/HeadlessScreen.h"

#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"

#include <cstring>

HeadlessScreen& HeadlessScreen::instance()
{
    static HeadlessScreen screen;
    return screen;
}

void HeadlessScreen::resize(int width, int height)
{
    if (width < 1)
        width = 1;
    if (height < 1)
        height = 1;
    m_width = width;
    m_height = height;
    m_pixels.assign(size_t(width) * size_t(height), 0xFF000000u);
}

bool HeadlessScreen::loadImage(const std::string& path)
{
    KXRef<KXPixmap> picture(KXImageLoader::load(path));
    if (!picture)
        return false;
    const int w = picture->width(), h = picture->height();
    std::vector<uint32_t> pixels(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(&pixels[size_t(y) * size_t(w)], picture->row(y), size_t(w) * 4);
    m_width = w;
    m_height = h;
    m_pixels = std::move(pixels);
    return true;
}

// The headless virtual desktop's pixels.
#include "graphics/headless/HeadlessScreen.h"

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

// FIXME: image files are decoded once the image loader exists; until then no file can be read.
bool HeadlessScreen::loadImage(const std::string&) { return false; }

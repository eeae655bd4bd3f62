// Panels: background colour or tiled bitmap.
#include "gui/KXPanel.h"

#include "graphics/KXImageLoader.h"

KXPanel::KXPanel(KXGroup* group, int style)
    : KXGroup(group, style)
{
}

bool KXPanel::setImage(std::string_view path)
{
    KXRef<KXPixmap> image(KXImageLoader::load(path));
    if (!image)
        return false;
    m_hasColor = false;
    m_color = 0;
    m_image = std::move(image);
    nativeRepaint();
    return true;
}

void KXPanel::setColor(int red, int green, int blue)
{
    m_image = KXRef<KXPixmap>();
    m_hasColor = true;
    m_color = (uint32_t(red & 0xFF) << 16) | (uint32_t(green & 0xFF) << 8) | uint32_t(blue & 0xFF);
    nativeRepaint();
}

bool KXPanel::paintBackground(KXGraphics* target) const
{
    if (!target)
        return false;
    if (m_image) {
        const int w = m_image->width();
        const int h = m_image->height();
        for (int y = 0; y < target->height(); y += h)
            for (int x = 0; x < target->width(); x += w)
                target->copyRect(x, y, m_image.get(), 0, 0, w, h, false);
        return true;
    }
    if (m_hasColor) {
        target->fillRect(0, 0, target->width(), target->height(), 0xFF000000u | m_color);
        return true;
    }
    return false;
}

// Icon strips: cells of one picture.
#include "gui/KXIconStrip.h"

#include <cstring>

KXIconStrip* KXIconStrip::create(KXPixmap* picture)
{
    if (!picture || picture->format() != 4 || picture->height() < 1 || picture->width() < picture->height())
        return nullptr;
    auto* strip = new KXIconStrip(picture->height(), picture->width() / picture->height());
    strip->m_picture = KXRef<KXPixmap>::retained(picture);
    return strip;
}

bool KXIconStrip::iconPixels(int index, std::vector<uint32_t>& argb) const
{
    if (!m_picture || index < 0 || index >= m_count)
        return false;
    const int size = m_iconSize;
    argb.resize(size_t(size) * size_t(size));
    for (int y = 0; y < size; ++y) {
        const uint8_t* row = m_picture->row(y) + size_t(index) * size_t(size) * 4;
        uint32_t* dst = argb.data() + size_t(y) * size_t(size);
        std::memcpy(dst, row, size_t(size) * 4);
        for (int x = 0; x < size; ++x)
            dst[x] |= 0xFF000000u;
    }
    return true;
}

// Icon strip cells as Qt icons.
#include "gui/qt/QtIconStrip.h"

#include "gui/KXIconStrip.h"

#include <QImage>
#include <QPixmap>

#include <cstring>
#include <vector>

QIcon QtIconStrip::icon(const KXIconStrip* strip, int index)
{
    std::vector<uint32_t> argb;
    if (!strip || !strip->iconPixels(index, argb))
        return QIcon();
    const int size = strip->iconSize();
    QImage image(size, size, QImage::Format_ARGB32);
    if (image.isNull())
        return QIcon();
    for (int y = 0; y < size; ++y)
        std::memcpy(image.scanLine(y), argb.data() + size_t(y) * size_t(size), size_t(size) * 4);
    return QIcon(QPixmap::fromImage(image));
}

// Qt canvases: the flipped back buffer painted into the widget.
#include "gui/qt/QtCanvas.h"

#include "graphics/KXPixelFormat.h"

#include <QPainter>

namespace {
class Screen final : public QWidget {
public:
    Screen(const QtCanvas* owner, QWidget* parent)
        : QWidget(parent)
        , m_owner(owner)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (m_owner->screen().isNull())
            painter.fillRect(rect(), Qt::black);
        else
            painter.drawImage(0, 0, m_owner->screen());
    }

private:
    const QtCanvas* m_owner;
};
}

QtCanvas::QtCanvas(KXGroup* group, int style)
    : QtGadget(group, style)
{
    adoptWidget(new Screen(this, parentWidget()));
}

void QtCanvas::nativeFlip(KXGraphics* back, bool)
{
    KXLockInfo info;
    if (!back->lock(info))
        return;
    const int w = back->width(), h = back->height();
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint8_t* src = info.pixels + size_t(y) * size_t(info.pitch);
        const int bpp = kxpf::bytesPerPixel(info.format);
        for (int x = 0; x < w; ++x)
            dst[x] = kxpf::toArgb(info.format, src + x * bpp) | 0xFF000000u;
    }
    back->unlock();
    m_screen = std::move(image);
    // Painted now, so the screen shows the frame when the command returns.
    if (widget()->isVisible())
        widget()->repaint();
}

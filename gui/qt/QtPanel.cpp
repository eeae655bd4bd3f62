// Qt panels.
#include "gui/qt/QtPanel.h"

#include "graphics/KXPixmap.h"

#include <QImage>
#include <QPainter>

namespace {
class Frame final : public QFrame {
public:
    Frame(const QtPanel* owner, QWidget* parent)
        : QFrame(parent)
        , m_owner(owner)
    {
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        m_owner->paint(this);
        QFrame::paintEvent(e);
    }

private:
    const QtPanel* m_owner;
};
}

QtPanel::QtPanel(KXGroup* group, int style)
    : QtGadget(group, style)
{
    auto* frame = new Frame(this, parentWidget());
    adoptWidget(frame);
    frame->setAutoFillBackground(true);
    if (hasBorder())
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void QtPanel::paint(QWidget* target) const
{
    if (!hasImage() && !hasColor())
        return;
    const int w = std::max(target->width(), 1), h = std::max(target->height(), 1);
    KXRef<KXPixmap> pixels(KXPixmap::create(w, h, 4));
    if (!pixels || !paintBackground(pixels.get()))
        return;
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
        auto* src = reinterpret_cast<const uint32_t*>(pixels->row(y));
        for (int x = 0; x < w; ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    QPainter painter(target);
    painter.drawImage(0, 0, image);
}

// Qt sliders: the scroll bar's range and the user's actions as scroll requests.
#include "gui/qt/QtSlider.h"

#include <algorithm>

QtSlider::QtSlider(KXGroup* group, int style)
    : QtGadget(group, style)
{
    auto* bar = new QScrollBar(isVertical() ? Qt::Vertical : Qt::Horizontal, parentWidget());
    adoptWidget(bar);
    bar->setRange(0, 100);
    bar->setSingleStep(1);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this](int action) { userAction(action); });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this] { userRelease(); });
}

void QtSlider::nativeSetPosition(int position)
{
    QScrollBar* bar = widget();
    QSignalBlocker block(bar);
    bar->setValue(clampPosition(position, m_min, m_max, m_page));
}

void QtSlider::nativeSetRange(int min, int max, int page)
{
    m_min = min;
    m_max = std::max(max, min);
    long long span = (long long)m_max - m_min + 1;
    m_page = int(std::clamp<long long>(page, 0, span));
    QScrollBar* bar = widget();
    QSignalBlocker block(bar);
    bar->setRange(m_min, maxPosition(m_min, m_max, m_page));
    bar->setPageStep(std::max(m_page, 1));
}

void QtSlider::userAction(int action)
{
    Scroll code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = Scroll::LineDown;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = Scroll::LineUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = Scroll::PageDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = Scroll::PageUp;
        break;
    case QAbstractSlider::SliderMove:
        code = Scroll::ThumbTrack;
        break;
    default:
        return;
    }
    QScrollBar* bar = widget();
    const void* self = reinterpret_cast<const void*>(intptr_t(handle()));
    int track = bar->sliderPosition();
    onScroll(code, track);
    // The program may have freed the slider while it handled the event.
    if (!KXObject::isLive(self))
        return;
    // Qt applies its own step after this signal; the neutral position is the one that counts.
    bar->setSliderPosition(state());
    if (code != Scroll::ThumbTrack) {
        onScroll(Scroll::EndScroll, 0);
    }
}

void QtSlider::userRelease()
{
    const void* self = reinterpret_cast<const void*>(intptr_t(handle()));
    onScroll(Scroll::ThumbPosition, widget()->sliderPosition());
    if (KXObject::isLive(self))
        onScroll(Scroll::EndScroll, 0);
}

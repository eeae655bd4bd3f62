// Sliders: range, clamping and the scroll requests.
#include "gui/KXSlider.h"

#include <algorithm>
#include <cstdint>

void KXSlider::setRange(int visible, int total)
{
    m_visible = visible;
    m_total = total;
    nativeSetRange(0, total - 1, visible);
}

int KXSlider::maxPosition(int min, int max, int page)
{
    if (max < min)
        return min;
    // The range holds max - min + 1 positions; computed wide so extreme values cannot wrap.
    long long span = (long long)max - min + 1;
    long long p = std::clamp<long long>(page, 0, span);
    long long top = (long long)max - std::max<long long>(p - 1, 0);
    return int(std::max<long long>(top, min));
}

int KXSlider::clampPosition(int position, int min, int max, int page)
{
    return std::clamp(position, min, maxPosition(min, max, page));
}

void KXSlider::moveTo(int position)
{
    nativeSetPosition(position);
    emit(KXEventId::GadgetAction, state());
}

void KXSlider::onScroll(Scroll code, int trackPos)
{
    // Wide arithmetic: a page of INT_MAX must not wrap the position around.
    auto offset = [this](long long delta) {
        return int(std::clamp<long long>((long long)state() + delta, INT32_MIN, INT32_MAX));
    };
    switch (code) {
    case Scroll::LineUp:
        moveTo(offset(-1));
        break;
    case Scroll::LineDown:
        moveTo(offset(1));
        break;
    case Scroll::PageUp:
        moveTo(offset(-(long long)m_visible));
        break;
    case Scroll::PageDown:
        moveTo(offset(m_visible));
        break;
    case Scroll::ThumbTrack:
        if (!m_dragging) {
            // The native control now tracks the mouse in a modal loop of its own. The program
            // may free the slider while it handles the event: nothing of it is touched after.
            m_dragging = true;
            nativeSetPosition(trackPos);
            int value = state();
            int self = handle();
            emit(KXEventId::ModalEnter);
            if (KXObject::isLive(reinterpret_cast<const void*>(intptr_t(self))))
                emit(KXEventId::GadgetAction, value);
        } else {
            moveTo(trackPos);
        }
        break;
    case Scroll::ThumbPosition:
        if (m_dragging) {
            m_dragging = false;
            nativeSetPosition(trackPos);
            emit(KXEventId::ModalLeave);
        } else {
            moveTo(trackPos);
        }
        break;
    case Scroll::Top:
    case Scroll::Bottom:
    case Scroll::EndScroll:
        break;
    }
}

// Headless sliders: the native scroll bar's rules and the user's drags and clicks.
#include "gui/headless/HeadlessSlider.h"

#include <algorithm>

void HeadlessSlider::nativeSetPosition(int position)
{
    m_pos = clampPosition(position, m_min, m_max, m_page);
    HeadlessSystem::log().record("SetScrollPos %d", m_pos);
}

void HeadlessSlider::nativeSetRange(int min, int max, int page)
{
    m_min = min;
    m_max = std::max(max, min);
    long long span = (long long)m_max - m_min + 1;
    m_page = int(std::clamp<long long>(page, 0, span));
    m_pos = clampPosition(m_pos, m_min, m_max, m_page);
    HeadlessSystem::log().record("SetScrollInfo %d %d %d", m_min, m_max, m_page);
}

void HeadlessSlider::userDrag(int position)
{
    // The thumb cannot be dragged past the ends of the bar.
    int target = clampPosition(position, m_min, m_max, m_page);
    post([this, target] { onScroll(Scroll::ThumbTrack, target); });
    post([this, target] { onScroll(Scroll::ThumbPosition, target); });
    post([this] { onScroll(Scroll::EndScroll, 0); });
}

void HeadlessSlider::userStep(Scroll code)
{
    post([this, code] { onScroll(code, 0); });
    post([this] { onScroll(Scroll::EndScroll, 0); });
}

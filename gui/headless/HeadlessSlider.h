// HeadlessSlider: a scroll bar on the headless platform, with the native range, page and
// position rules (the position stays within min .. max - (page - 1)).
#pragma once

#include "gui/KXSlider.h"
#include "gui/headless/HeadlessGadget.h"

class HeadlessSlider final : public HeadlessGadget<KXSlider> {
public:
    HeadlessSlider(KXGroup* group, int style)
        : HeadlessGadget(group, style, "SCROLLBAR")
    {
    }
    int nativeMin() const { return m_min; }
    int nativeMax() const { return m_max; }
    int nativePage() const { return m_page; }

    // Scripted user: drags the thumb to position (as far as the bar lets it go) and drops it.
    void userDrag(int position);
    // Scripted user: clicks an arrow (lines = -1 or 1) or the bar beside the thumb (pages).
    void userStep(Scroll code);

protected:
    int nativePosition() const override { return m_pos; }
    void nativeSetPosition(int position) override;
    void nativeSetRange(int min, int max, int page) override;

private:
    int m_min { 0 };
    int m_max { 100 };
    int m_page { 0 };
    int m_pos { 0 };
};

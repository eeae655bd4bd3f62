// KXSlider: a horizontal or vertical scroll bar used as a slider. SetSliderRange(visible,
// total) gives the range 0 .. total - 1 with a thumb (page) of visible; the position can reach
// total - visible at most. The position lives in the native control, which clamps it.
//
// Invariants: visible and total are the values last passed to setRange; while a thumb drag
// runs, m_dragging is set and the program has been told with 0x2004.
#pragma once

#include "gui/KXGadget.h"
#include "gui/KXStateGadget.h"

class KXSlider : public KXGadget
    , public KXStateGadget {
public:
    // Style values. Append-only.
    enum Style : int { Horizontal = 1,
        Vertical = 2 };
    // Scroll request codes a native scroll bar reports. Append-only.
    enum class Scroll : int { LineUp,
        LineDown,
        PageUp,
        PageDown,
        ThumbTrack,
        ThumbPosition,
        Top,
        Bottom,
        EndScroll };

    // Starts with the range a fresh native scroll bar has: 0 .. 100, no page.
    KXSlider(KXGroup* group, int style)
        : KXGadget(group, style)
    {
    }
    bool isVertical() const { return style() == Vertical; }

    int state() const override { return nativePosition(); }
    void setState(int value) override { nativeSetPosition(value); }
    virtual void setRange(int visible, int total);
    int visible() const { return m_visible; }
    int total() const { return m_total; }
    bool isDragging() const { return m_dragging; }
    const char* typeName() const override { return "Slider Gadget"; }
    bool isTabStop() const override { return true; }

    // The positions a scroll bar with range min .. max and page size page can take, as the
    // native controls clamp: min .. max - (page - 1), never below min. Page sizes are clamped
    // to 0 .. max - min + 1 first.
    static int maxPosition(int min, int max, int page);
    static int clampPosition(int position, int min, int max, int page);

    // Window procedure, neutral half: a scroll request. Lines move by 1, pages by visible;
    // thumb tracking moves to trackPos, the first tracking message of a drag raising 0x2004;
    // each move raises 0x401 with the resulting position. The thumb release raises 0x2005 and
    // ends the drag without an action event. The other codes do nothing.
    void onScroll(Scroll code, int trackPos);

protected:
    virtual int nativePosition() const = 0;
    virtual void nativeSetPosition(int position) = 0;
    // Range min .. max with page page; the native control clamps its position to it.
    virtual void nativeSetRange(int min, int max, int page) = 0;

private:
    void moveTo(int position);

    int m_visible { 0 };
    int m_total { 101 };
    bool m_dragging { false };
};

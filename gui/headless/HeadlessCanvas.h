// HeadlessCanvas: a canvas on the headless platform. Its screen is a pixmap the size of the back
// buffer that every flip copies the back buffer to.
#pragma once

#include "graphics/KXPixmap.h"
#include "gui/KXCanvas.h"
#include "gui/headless/HeadlessGadget.h"

class HeadlessCanvas final : public HeadlessGadget<KXCanvas> {
public:
    HeadlessCanvas(KXGroup* group, int style)
        : HeadlessGadget(group, style, "CANVAS")
    {
    }
    // What the canvas shows (null before the first flip).
    KXPixmap* screen() const { return m_screen.get(); }
    int flips() const { return m_flips; }

protected:
    void nativeFlip(KXGraphics* back, bool vwait) override;

private:
    KXRef<KXPixmap> m_screen;
    int m_flips { 0 };
};

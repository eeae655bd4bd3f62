// QtCanvas: a canvas on the Qt platform. Its widget shows a copy of the back buffer taken at
// the last flip, painted at once.
#pragma once

#include "gui/KXCanvas.h"
#include "gui/qt/QtGadget.h"

#include <QImage>
#include <QWidget>

class QtCanvas final : public QtGadget<KXCanvas, QWidget>
    , public QtWidgetHost {
public:
    QtCanvas(KXGroup* group, int style);
    QWidget* clientWidget() const override { return widget(); }
    // What the canvas shows (null before the first flip).
    const QImage& screen() const { return m_screen; }

protected:
    void nativeFlip(KXGraphics* back, bool vwait) override;

private:
    QImage m_screen;
};

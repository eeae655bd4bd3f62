// QtSlider: a scroll bar used as a slider on the Qt platform. Qt's positions run from min to
// max - (page - 1), as the neutral rules want, so the scroll bar gets that as its maximum.
#pragma once

#include "gui/KXSlider.h"
#include "gui/qt/QtGadget.h"

#include <QScrollBar>

class QtSlider final : public QtGadget<KXSlider, QScrollBar> {
public:
    QtSlider(KXGroup* group, int style);

protected:
    int nativePosition() const override { return widget()->value(); }
    void nativeSetPosition(int position) override;
    void nativeSetRange(int min, int max, int page) override;

private:
    // The user's action on the bar, as scroll requests.
    void userAction(int action);
    void userRelease();
    int m_min { 0 };
    int m_max { 100 };
    int m_page { 0 };
};

// QtPanel: a panel on the Qt platform: a frame widget (with a sunken border for the border
// style) that erases itself with the panel's colour or tiled image, else with the platform's
// window background, and holds the panel's children.
#pragma once

#include "gui/KXPanel.h"
#include "gui/qt/QtGadget.h"

#include <QFrame>

class QtPanel final : public QtGadget<KXPanel, QFrame>
    , public QtWidgetHost {
public:
    QtPanel(KXGroup* group, int style);
    QWidget* clientWidget() const override { return widget(); }
    // Paints the background into the widget (from its paint event).
    void paint(QWidget* target) const;

protected:
    void nativeRepaint() override { widget()->update(); }
};

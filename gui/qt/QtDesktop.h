// QtDesktop: the desktop gadget over the X screen; its children are top-level widgets.
#pragma once

#include "gui/KXDesktop.h"
#include "gui/qt/QtWidgetHost.h"

class QtDesktop final : public KXDesktop
    , public QtWidgetHost {
public:
    // Takes the shape of the whole virtual screen.
    QtDesktop();
    QWidget* clientWidget() const override { return nullptr; }
};

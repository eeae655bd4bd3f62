// QtWidgetHost: a Qt group gadget (window, panel, canvas, desktop) as the parent of the native
// widgets of its children. Children sit at their gadget position inside clientWidget().
#pragma once

#include "gui/KXGroup.h"

class QWidget;

class QtWidgetHost {
public:
    virtual ~QtWidgetHost() = default;
    // The widget children are placed in; null for the desktop (children become top level).
    virtual QWidget* clientWidget() const = 0;

    // The client widget of a group gadget, or null for none or a group that is not a Qt host.
    static QWidget* clientOf(KXGroup* group)
    {
        auto* host = dynamic_cast<QtWidgetHost*>(group);
        return host ? host->clientWidget() : nullptr;
    }
};

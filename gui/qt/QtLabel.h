// QtLabel: a label on the Qt platform, with the frame its style chooses.
#pragma once

#include "gui/KXLabel.h"
#include "gui/qt/QtGadget.h"

#include <QLabel>

class QtLabel final : public QtGadget<KXLabel, QLabel> {
public:
    QtLabel(KXGroup* group, int style)
        : QtGadget(group, style)
    {
        auto* label = new QLabel(parentWidget());
        adoptWidget(label);
        switch (frame()) {
        case Frame::None:
            label->setFrameStyle(QFrame::NoFrame);
            break;
        case Frame::Thin:
            label->setFrameStyle(QFrame::Box | QFrame::Plain);
            break;
        case Frame::Sunken:
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            break;
        case Frame::Etched:
            label->setFrameStyle(QFrame::Box | QFrame::Sunken);
            break;
        }
    }

protected:
    void nativeSetText(const QString& text) override { widget()->setText(text); }
};

// QtTextField: a one-line edit field on the Qt platform. Every character typed into it is shown
// to the neutral half first: Enter goes to the program only, the rest reach the field.
#pragma once

#include "gui/KXTextField.h"
#include "gui/qt/QtGadget.h"

#include <QLineEdit>

class QtTextField final : public QtGadget<KXTextField, QLineEdit> {
public:
    QtTextField(KXGroup* group, int style);
    std::string currentText() const override { return QtText::fromQt(widget()->text()); }

    // The field is about to receive a character; true when it must not.
    bool receiveChar(int code) { return onChar(code); }

protected:
    void nativeSetText(const QString& text) override;
};

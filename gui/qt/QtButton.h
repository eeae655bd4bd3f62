// QtButton: a push button, default push button, check box or radio button on the Qt platform.
// Radio buttons in one group gadget exclude each other when the user clicks them; the program
// sets any check mark on its own.
#pragma once

#include "gui/KXButton.h"
#include "gui/qt/QtGadget.h"

#include <QAbstractButton>

class QtButton final : public QtGadget<KXButton, QAbstractButton> {
public:
    QtButton(KXGroup* group, int style);
    // Clicks the native button, which toggles its mark and reports the click.
    void nativeClick() override { widget()->click(); }

protected:
    bool nativeChecked() const override { return widget()->isChecked(); }
    void nativeSetChecked(bool checked) override;
    void nativeSetText(const QString& text) override { widget()->setText(text); }

private:
    // After a user's click on radio: it is checked, the other radio buttons of its group not.
    static void checkOnlyThis(QAbstractButton* radio);
};

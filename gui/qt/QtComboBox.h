// QtComboBox: a drop-down list on the Qt platform. Qt's list moves the selection as native
// lists do when items are inserted or removed; items show their icon from the gadget's icon
// strip (QtIconStrip).
#pragma once

#include "gui/KXComboBox.h"
#include "gui/qt/QtGadget.h"

#include <QComboBox>

class QtComboBox final : public QtGadget<KXComboBox, QComboBox> {
public:
    QtComboBox(KXGroup* group, int style);

protected:
    void nativeClear() override;
    void nativeInsert(int index, const KXString* text, int icon) override;
    void nativeModify(int index, const KXString* text, int icon) override;
    void nativeRemove(int index) override;
    void nativeSelect(int index) override;
    int nativeSelection() const override { return widget()->currentIndex(); }
};

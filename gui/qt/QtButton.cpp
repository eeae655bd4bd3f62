// Qt buttons.
#include "gui/qt/QtButton.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

QtButton::QtButton(KXGroup* group, int style)
    : QtGadget(group, style)
{
    QWidget* parent = parentWidget();
    QAbstractButton* b;
    switch (kind()) {
    case Kind::CheckBox:
        b = new QCheckBox(parent);
        break;
    case Kind::Radio:
        b = new QRadioButton(parent);
        break;
    default: {
        auto* push = new QPushButton(parent);
        push->setDefault(kind() == Kind::DefaultPush);
        push->setFlat(kind() == Kind::Flat);
        b = push;
        break;
    }
    }
    adoptWidget(b);
    QObject::connect(b, &QAbstractButton::clicked, b, [this] { onClicked(); });
}

void QtButton::nativeSetChecked(bool checked)
{
    QAbstractButton* b = widget();
    // The program's check mark leaves the other radio buttons as they are.
    bool exclusive = b->autoExclusive();
    b->setAutoExclusive(false);
    b->setChecked(checked);
    b->setAutoExclusive(exclusive);
}

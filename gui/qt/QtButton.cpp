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
    QObject::connect(b, &QAbstractButton::clicked, b, [this, b] {
        if (kind() == Kind::Radio)
            checkOnlyThis(b);
        onClicked();
    });
}

void QtButton::checkOnlyThis(QAbstractButton* radio)
{
    // The program may have checked several radio buttons of a group (its own settings leave the
    // others alone), and Qt then takes a click on one of them for a click that unchecks it. A
    // user's click checks the radio button clicked and clears the others of its group.
    if (QWidget* parent = radio->parentWidget()) {
        for (QRadioButton* other : parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
            if (other != radio && other->isChecked() && other->autoExclusive()) {
                other->setAutoExclusive(false);
                other->setChecked(false);
                other->setAutoExclusive(true);
            }
        }
    }
    radio->setChecked(true);
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

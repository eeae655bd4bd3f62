// Qt combo boxes.
#include "gui/qt/QtComboBox.h"

#include "gui/qt/QtIconStrip.h"

namespace {
QString textOf(const KXString* s) { return QtText::toQt(s ? s->view() : std::string_view()); }
}

QtComboBox::QtComboBox(KXGroup* group, int style)
    : QtGadget(group, style)
{
    auto* box = new QComboBox(parentWidget());
    adoptWidget(box);
    QObject::connect(box, &QComboBox::activated, box, [this](int index) { onSelectionChanged(index); });
}

void QtComboBox::nativeClear()
{
    QSignalBlocker block(widget());
    widget()->clear();
}

void QtComboBox::nativeInsert(int index, const KXString* text, int icon)
{
    QComboBox* box = widget();
    QSignalBlocker block(box);
    int selected = box->currentIndex();
    box->insertItem(index, QtIconStrip::icon(iconStrip(), icon), textOf(text));
    // Qt selects the first item put into an empty list; native lists select nothing.
    box->setCurrentIndex(selected >= index ? selected + 1 : selected);
}

void QtComboBox::nativeModify(int index, const KXString* text, int icon)
{
    QSignalBlocker block(widget());
    widget()->setItemText(index, textOf(text));
    widget()->setItemIcon(index, QtIconStrip::icon(iconStrip(), icon));
}

void QtComboBox::nativeRemove(int index)
{
    QComboBox* box = widget();
    QSignalBlocker block(box);
    int selected = box->currentIndex();
    box->removeItem(index);
    box->setCurrentIndex(selected == index ? -1 : selected > index ? selected - 1
                                                                   : selected);
}

void QtComboBox::nativeSelect(int index)
{
    QSignalBlocker block(widget());
    widget()->setCurrentIndex(index);
}

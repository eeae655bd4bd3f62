// Qt combo boxes.
#include "gui/qt/QtComboBox.h"

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

void QtComboBox::nativeInsert(int index, const KXString* text, int)
{
    QComboBox* box = widget();
    QSignalBlocker block(box);
    int selected = box->currentIndex();
    box->insertItem(index, textOf(text));
    // Qt selects the first item put into an empty list; native lists select nothing.
    box->setCurrentIndex(selected >= index ? selected + 1 : selected);
}

void QtComboBox::nativeModify(int index, const KXString* text, int)
{
    QSignalBlocker block(widget());
    widget()->setItemText(index, textOf(text));
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

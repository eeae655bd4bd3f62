// Combo boxes: the item list and the native list in step.
#include "gui/KXComboBox.h"

void KXComboBox::clearItems()
{
    nativeClear();
    m_items.clear();
}

void KXComboBox::addItem(KXString* text, bool select, int icon)
{
    nativeInsert(m_items.count(), text, iconFor(icon));
    m_items.add(text);
    if (select)
        selectItem(m_items.count() - 1);
}

void KXComboBox::insertItem(int index, KXString* text, int icon)
{
    m_items.checkInsertIndex(index);
    nativeInsert(index, text, iconFor(icon));
    m_items.insert(index, text);
    m_items.select(nativeSelection());
}

void KXComboBox::modifyItem(int index, KXString* text, int icon)
{
    m_items.checkIndex(index);
    nativeModify(index, text, iconFor(icon));
    m_items.modify(index, text);
}

void KXComboBox::removeItem(int index)
{
    m_items.checkIndex(index);
    nativeRemove(index);
    m_items.remove(index);
    m_items.select(nativeSelection());
}

void KXComboBox::selectItem(int index)
{
    if (index >= 0)
        m_items.checkIndex(index);
    else
        index = -1;
    nativeSelect(index);
    m_items.select(index);
}

void KXComboBox::onSelectionChanged(int index)
{
    if (index < -1 || index >= m_items.count())
        return;
    m_items.select(index);
    emit(KXEventId::GadgetAction, index);
}

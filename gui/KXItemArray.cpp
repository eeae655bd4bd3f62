// Item lists.
#include "gui/KXItemArray.h"

#include "base/KXError.h"

void KXItemArray::checkIndex(int index) const
{
    if (index < 0 || index >= count())
        kxRuntimeError("Gadget item list index out of range");
}

void KXItemArray::checkInsertIndex(int index) const
{
    if (index < 0 || index > count())
        kxRuntimeError("Gadget item list index out of range");
}

void KXItemArray::clear()
{
    m_items.clear();
    m_selected = -1;
}

void KXItemArray::add(KXString* text) { m_items.push_back(KXRef<KXString>::retained(text)); }

void KXItemArray::insert(int index, KXString* text)
{
    checkInsertIndex(index);
    m_items.insert(m_items.begin() + index, KXRef<KXString>::retained(text));
}

void KXItemArray::modify(int index, KXString* text)
{
    checkIndex(index);
    m_items[size_t(index)] = KXRef<KXString>::retained(text);
}

void KXItemArray::remove(int index)
{
    checkIndex(index);
    m_items.erase(m_items.begin() + index);
}

void KXItemArray::select(int index)
{
    if (index < 0) {
        m_selected = -1;
        return;
    }
    checkIndex(index);
    m_selected = index;
}

KXString* KXItemArray::text(int index) const
{
    checkIndex(index);
    return m_items[size_t(index)].get();
}

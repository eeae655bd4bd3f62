// KXItemArray: the item list of a list-type gadget: texts and a selected index.
//
// Invariants: -1 <= selected; every item holds one reference to its string. Removing an item
// leaves the selection index as it was.
#pragma once

#include "base/KXObject.h"
#include "core/KXString.h"

#include <vector>

class KXItemArray : public KXObject {
public:
    int count() const { return int(m_items.size()); }
    int selected() const { return m_selected; }

    // Index checks raise "Gadget item list index out of range".
    void checkIndex(int index) const;
    void checkInsertIndex(int index) const;

    void clear();
    void add(KXString* text);
    void insert(int index, KXString* text);
    void modify(int index, KXString* text);
    void remove(int index);
    // A negative index clears the selection.
    void select(int index);
    KXString* text(int index) const;
    const char* typeName() const override { return "ItemArray"; }

private:
    std::vector<KXRef<KXString>> m_items;
    int m_selected { -1 };
};

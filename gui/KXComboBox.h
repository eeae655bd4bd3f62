// KXComboBox: a drop-down list. Its item list and the native list are kept in step: every item
// operation changes both, and where the native control moves the selection by itself (an item
// removed or inserted) the selection is read back from it.
//
// Invariants: the item list has as many items as the native list, in the same order, and the
// same selection.
#pragma once

#include "gui/KXGadget.h"
#include "gui/KXItemArray.h"

class KXComboBox : public KXGadget {
public:
    KXComboBox(KXGroup* group, int style)
        : KXGadget(group, style)
    {
    }
    KXItemArray* itemArray() override { return m_list.get(); }
    void clearItems() override;
    // Appends; with select the new item becomes the selection without an action event.
    void addItem(KXString* text, bool select, int icon) override;
    void insertItem(int index, KXString* text, int icon) override;
    void modifyItem(int index, KXString* text, int icon) override;
    void removeItem(int index) override;
    void selectItem(int index) override;
    const char* typeName() const override { return "ComboBox Gadget"; }
    bool isTabStop() const override { return true; }

    // Window procedure, neutral half: the user chose another item. It becomes the selection and
    // 0x401 is raised with its index.
    void onSelectionChanged(int index);

protected:
    // icon is the item's icon in the gadget's icon strip, -1 for none.
    virtual void nativeClear() = 0;
    virtual void nativeInsert(int index, const KXString* text, int icon) = 0;
    virtual void nativeModify(int index, const KXString* text, int icon) = 0;
    virtual void nativeRemove(int index) = 0;
    // Selects index (-1: none) without a change notification.
    virtual void nativeSelect(int index) = 0;
    virtual int nativeSelection() const = 0;

private:
    int iconFor(int icon) const { return iconStrip() && icon >= 0 ? icon : -1; }
    KXRef<KXItemArray> m_list { new KXItemArray };
    KXItemArray& m_items { *m_list };
};

// HeadlessComboBox: a drop-down list on the headless platform. Its native list moves the
// selection the way native lists do: an insertion before the selection moves it down, removing
// the selected item clears it, removing one before it moves it up.
#pragma once

#include "gui/KXComboBox.h"
#include "gui/headless/HeadlessGadget.h"

#include <string>
#include <vector>

class HeadlessComboBox final : public HeadlessGadget<KXComboBox> {
public:
    HeadlessComboBox(KXGroup* group, int style)
        : HeadlessGadget(group, style, "ComboBoxEx32")
    {
    }
    // Makes the next native combo box fail to be created (for tests of that path).
    static void failNextCreation() { s_failNext = true; }
    // True once, after failNextCreation.
    static bool takeCreationFailure()
    {
        bool fail = s_failNext;
        s_failNext = false;
        return fail;
    }

    const std::vector<std::string>& nativeItems() const { return m_items; }
    const std::vector<int>& nativeIcons() const { return m_icons; }
    // The index of the native item with that text, or -1.
    int nativeIndexOf(const std::string& text) const;

    // Scripted user: opens the list and picks the item at index (which must exist).
    bool userPick(int index);

protected:
    void nativeClear() override;
    void nativeInsert(int index, const KXString* text, int icon) override;
    void nativeModify(int index, const KXString* text, int icon) override;
    void nativeRemove(int index) override;
    void nativeSelect(int index) override;
    int nativeSelection() const override { return m_selected; }

private:
    std::vector<std::string> m_items;
    std::vector<int> m_icons;
    int m_selected { -1 };
    static inline bool s_failNext { false };
};

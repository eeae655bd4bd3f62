// KXMenu: one item of a window's menu tree (the root stands for the menu bar).
//
// Invariants: children form a singly linked list through m_next in creation order; the parent
// holds the one reference of each child; a new item is enabled and unchecked.
#pragma once

#include "base/KXObject.h"
#include "core/KXString.h"
#include "gui/KXNativeMenuItem.h"

#include <vector>

class KXMenu : public KXObject {
public:
    KXMenu(KXString* text, int id);
    // Releases the children; one still referenced elsewhere raises "Unable to release menu
    // child".
    void free() override;

    // Appends child (taking the caller's reference) as the last child.
    void append(KXMenu* child);
    void setText(KXString* text);
    void setChecked(bool on) { m_checked = on; }
    void setEnabled(bool on) { m_enabled = on; }

    KXString* text() const { return m_text.get(); }
    int id() const { return m_id; }
    bool isChecked() const { return m_checked; }
    bool isEnabled() const { return m_enabled; }
    KXMenu* firstChild() const { return m_firstChild; }
    KXMenu* nextSibling() const { return m_nextSibling; }

    // The native entries for this item's children: pop-ups for items with children, commands
    // (id + 100) for items with text, separators for items without.
    std::vector<KXNativeMenuItem> buildNative() const;
    const char* typeName() const override { return "Menu"; }

private:
    KXRef<KXString> m_text;
    int m_id;
    bool m_checked { false };
    bool m_enabled { true };
    KXMenu* m_firstChild { nullptr };
    KXMenu* m_nextSibling { nullptr };
};

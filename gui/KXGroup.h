// KXGroup: a gadget that holds children (windows, panels, canvases, the desktop).
//
// Invariants: the child list is doubly linked, first to last in creation order, and m_count is
// its length; the client size is the area children are laid out in.
#pragma once

#include "gui/KXGadget.h"

class KXGroup : public KXGadget {
public:
    KXGroup(KXGroup* group, int style);
    ~KXGroup() override;

    // Releases the children first to last ("Error removing child gadget" for one still
    // referenced elsewhere), then the group itself.
    void free() override;

    // A plain group: its client area is its whole shape.
    void setShape(int x, int y, int width, int height) override;
    // Calls applyLayout on every child in list order.
    virtual void layoutChildren();

    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }
    // Stores the client size and lays out the children.
    void setClientSize(int width, int height);

    KXGadget* firstChild() const { return m_first; }
    KXGadget* lastChild() const { return m_last; }
    int childCount() const { return m_count; }
    void addChild(KXGadget* child);
    // "Error removing gadget from group" when child is not in this group.
    void removeChild(KXGadget* child);
    const char* typeName() const override { return "Group Gadget"; }

private:
    int m_clientWidth { 0 };
    int m_clientHeight { 0 };
    KXGadget* m_first { nullptr };
    KXGadget* m_last { nullptr };
    int m_count { 0 };
};

// KXGadget: the common state and operations of every visible element of a program's user
// interface. Backends derive a class from each gadget kind and override the virtual operations
// to drive their native element; the neutral classes keep the state the commands report.
//
// Invariants: a gadget with a group is in exactly that group's child list; the layout
// reference is the shape and parent client size (each at least 1) of the last creation,
// explicit shape change or layout change, never one produced by applyLayout.
#pragma once

#include "base/KXObject.h"
#include "core/KXString.h"
#include "gui/KXEventSource.h"
#include "gui/KXFont.h"
#include "gui/KXIconStrip.h"

class KXGroup;
class KXWindow;
class KXItemArray;

class KXGadget : public KXEventSource {
public:
    // Registers the gadget as the last child of group (which may be null).
    KXGadget(KXGroup* group, int style);
    ~KXGadget() override;

    // Operations in slot order. The base versions store the new state; backends also update
    // their native element.
    virtual void setFont(KXFont* font);
    virtual void setText(KXString* text);
    virtual void setShape(int x, int y, int width, int height) = 0;
    virtual void setVisible(bool visible);
    virtual void setEnabled(bool enabled);
    // Gives the gadget the keyboard focus. The backend reports the focus it then has through
    // KXWindow::onFocusChanged.
    virtual void activate() { }
    // Controls with the tab-stop style take part in keyboard navigation between controls (see
    // KXDialogKeys).
    virtual bool isTabStop() const { return false; }
    virtual void setIconStrip(KXIconStrip* strip);
    // Recomputes the own shape from the parent's new client size and the layout reference.
    virtual void applyLayout(int clientWidth, int clientHeight);

    // Item-list operations. On a gadget without an item list they raise "Invalid Gadget type";
    // indices are checked ("Gadget item list index out of range").
    virtual KXItemArray* itemArray() { return nullptr; }
    virtual void clearItems();
    virtual void addItem(KXString* text, bool select, int icon);
    virtual void insertItem(int index, KXString* text, int icon);
    virtual void modifyItem(int index, KXString* text, int icon);
    virtual void removeItem(int index);
    virtual void selectItem(int index);
    // The item list, or "Invalid Gadget type".
    KXItemArray& items();

    // The creation sequence after construction: shape, text (when given), shown, layout
    // reference recorded.
    void completeCreation(int x, int y, int width, int height, KXString* text);
    // Stores the four edge modes (0 free, 1 fixed distance, 2 proportional) and records the
    // layout reference.
    void setLayout(int left, int right, int top, int bottom);
    void recordLayoutReference();

    KXGroup* group() const { return m_group; }
    // The window the gadget lies in (through any panels, not itself), or null.
    KXWindow* window() const;
    // Creation order: a gadget created later has a greater serial.
    unsigned serial() const { return m_serial; }
    int style() const { return m_style; }
    int x() const { return m_x; }
    int y() const { return m_y; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isVisible() const { return m_visible; }
    bool isEnabled() const { return m_enabled; }
    KXFont* font() const { return m_font.get(); }
    KXString* text() const { return m_text.get(); }
    std::string_view textView() const { return m_text ? m_text->view() : std::string_view(); }
    KXIconStrip* iconStrip() const { return m_iconStrip.get(); }
    KXGadget* nextSibling() const { return m_nextSibling; }
    KXGadget* previousSibling() const { return m_prevSibling; }
    const char* typeName() const override { return "Gadget"; }

    // The new left and right edges of one axis under the layout rule: reference position ref,
    // reference size refSize, reference client size refClient, new client size client, edge
    // modes lowMode/highMode and the current position and size.
    static void layoutAxis(int ref, int refSize, int refClient, int client, int lowMode, int highMode,
        int current, int currentSize, int& newLow, int& newHigh);

protected:
    // Stores a shape without side effects (for setShape implementations).
    void storeShape(int x, int y, int width, int height)
    {
        m_x = x;
        m_y = y;
        m_width = width;
        m_height = height;
    }

private:
    friend class KXGroup;
    KXGroup* m_group { nullptr };
    KXGadget* m_prevSibling { nullptr };
    KXGadget* m_nextSibling { nullptr };
    int m_style { 0 };
    unsigned m_serial { ++s_serials };
    static inline unsigned s_serials { 0 };
    int m_x { 0 }, m_y { 0 }, m_width { 0 }, m_height { 0 };
    bool m_visible { false };
    bool m_enabled { true };
    KXRef<KXFont> m_font;
    KXRef<KXString> m_text;
    KXRef<KXIconStrip> m_iconStrip;
    int m_refX { 0 }, m_refY { 0 }, m_refWidth { 0 }, m_refHeight { 0 };
    int m_refClientWidth { 1 }, m_refClientHeight { 1 };
    int m_layoutLeft { 0 }, m_layoutTop { 0 }, m_layoutRight { 0 }, m_layoutBottom { 0 };
};

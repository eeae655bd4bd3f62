// The common gadget state, the layout rule and the item-list operations.
#include "gui/KXGadget.h"

#include "gui/KXGroup.h"
#include "gui/KXGuiDriver.h"
#include "gui/KXItemArray.h"
#include "gui/KXWindow.h"
#include "base/KXError.h"

#include <cstdint>

namespace {
// Products and quotients as 32-bit integer arithmetic does them: the product wraps, the
// quotient truncates toward zero.
int scale(int a, int b, int d)
{
    int32_t product = int32_t(uint32_t(a) * uint32_t(b));
    return product / d;
}
}

KXGadget::KXGadget(KXGroup* group, int style)
    : m_style(style)
    , m_text(KXString::create(""))
{
    if (KXGuiDriver* driver = KXGuiDriver::current())
        m_font = KXRef<KXFont>::retained(driver->defaultFont());
    if (group)
        group->addChild(this);
}

KXGadget::~KXGadget()
{
    if (KXWindow* w = window(); w && w->focusedGadget() == this)
        w->onFocusChanged(nullptr);
    if (m_group)
        m_group->removeChild(this);
}

KXWindow* KXGadget::window() const
{
    for (KXGroup* g = m_group; g; g = g->group())
        if (auto* w = dynamic_cast<KXWindow*>(g))
            return w;
    return nullptr;
}

void KXGadget::setFont(KXFont* font) { m_font = KXRef<KXFont>::retained(font); }

void KXGadget::setText(KXString* text) { m_text = text ? KXRef<KXString>::retained(text) : KXRef<KXString>(KXString::create("")); }

void KXGadget::setVisible(bool visible) { m_visible = visible; }

void KXGadget::setEnabled(bool enabled) { m_enabled = enabled; }

void KXGadget::setIconStrip(KXIconStrip* strip) { m_iconStrip = KXRef<KXIconStrip>::retained(strip); }

void KXGadget::recordLayoutReference()
{
    m_refX = m_x;
    m_refY = m_y;
    m_refWidth = m_width;
    m_refHeight = m_height;
    m_refClientWidth = m_group && m_group->clientWidth() > 1 ? m_group->clientWidth() : 1;
    m_refClientHeight = m_group && m_group->clientHeight() > 1 ? m_group->clientHeight() : 1;
}

void KXGadget::setLayout(int left, int right, int top, int bottom)
{
    m_layoutLeft = left;
    m_layoutRight = right;
    m_layoutTop = top;
    m_layoutBottom = bottom;
    recordLayoutReference();
}

void KXGadget::layoutAxis(int ref, int refSize, int refClient, int client, int lowMode, int highMode,
    int current, int currentSize, int& newLow, int& newHigh)
{
    if (refClient < 1)
        refClient = 1;
    if (client < 1)
        client = 1;
    if (lowMode == 0 && highMode == 0) {
        int half = refSize / 2;
        newLow = scale(ref + half, client, refClient) - half;
        newHigh = newLow + refSize;
        return;
    }
    if (lowMode == 1)
        newLow = ref;
    else if (lowMode == 2)
        newLow = scale(ref, client, refClient);
    else
        newLow = current;
    if (highMode == 1)
        newHigh = ref + refSize + (client - refClient);
    else if (highMode == 2)
        newHigh = scale(ref + refSize, client, refClient);
    else
        newHigh = current + currentSize;
    if (lowMode == 0)
        newLow = newHigh - refSize;
    else if (highMode == 0)
        newHigh = newLow + refSize;
}

void KXGadget::applyLayout(int clientWidth, int clientHeight)
{
    int left, right, top, bottom;
    layoutAxis(m_refX, m_refWidth, m_refClientWidth, clientWidth, m_layoutLeft, m_layoutRight, m_x, m_width, left, right);
    layoutAxis(m_refY, m_refHeight, m_refClientHeight, clientHeight, m_layoutTop, m_layoutBottom, m_y, m_height, top, bottom);
    setShape(left, top, right - left, bottom - top);
}

void KXGadget::completeCreation(int x, int y, int width, int height, KXString* text)
{
    setShape(x, y, width, height);
    if (text)
        setText(text);
    setVisible(true);
    recordLayoutReference();
}

KXItemArray& KXGadget::items()
{
    KXItemArray* list = itemArray();
    if (!list)
        kxRuntimeError("Invalid Gadget type");
    return *list;
}

void KXGadget::clearItems() { items().clear(); }

void KXGadget::addItem(KXString* text, bool select, int)
{
    KXItemArray& list = items();
    list.add(text);
    if (select)
        list.select(list.count() - 1);
}

void KXGadget::insertItem(int index, KXString* text, int) { items().insert(index, text); }

void KXGadget::modifyItem(int index, KXString* text, int) { items().modify(index, text); }

void KXGadget::removeItem(int index) { items().remove(index); }

void KXGadget::selectItem(int index) { items().select(index); }

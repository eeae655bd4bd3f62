// Enter, Esc and Tab while a control has the focus; the focus order.
#include "gui/KXDialogKeys.h"

#include "gui/KXButton.h"
#include "gui/KXHotKeyTable.h"
#include "gui/KXKeyboard.h"
#include "gui/KXTextField.h"
#include "gui/KXWindow.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int Esc = 0x01, Tab = 0x0f, Enter = 0x1c, KeypadEnter = 0x9c;

bool isUsable(const KXGadget* g) { return g->isVisible() && g->isEnabled(); }

// Every gadget of window (through panels, not into owned windows), oldest first.
std::vector<KXGadget*> gadgetsOf(KXWindow& window)
{
    std::vector<KXGadget*> out;
    std::vector<KXGroup*> pending { &window };
    while (!pending.empty()) {
        KXGroup* group = pending.back();
        pending.pop_back();
        for (KXGadget* g = group->firstChild(); g; g = g->nextSibling()) {
            if (dynamic_cast<KXWindow*>(g))
                continue;
            out.push_back(g);
            if (auto* child = dynamic_cast<KXGroup*>(g))
                pending.push_back(child);
        }
    }
    std::sort(out.begin(), out.end(), [](KXGadget* a, KXGadget* b) { return a->serial() < b->serial(); });
    return out;
}
}

KXGadget* KXDialogKeys::defaultButton(KXWindow& window)
{
    for (KXGadget* g : gadgetsOf(window))
        if (auto* b = dynamic_cast<KXButton*>(g); b && b->kind() == KXButton::Kind::DefaultPush && isUsable(b))
            return b;
    return nullptr;
}

KXGadget* KXDialogKeys::nextInFocusOrder(KXWindow& window, KXGadget* from, bool backwards)
{
    std::vector<KXGadget*> order;
    for (KXGadget* g : gadgetsOf(window))
        if (g == from || (g->isTabStop() && isUsable(g)))
            order.push_back(g);
    if (backwards)
        std::reverse(order.begin(), order.end());
    auto at = std::find(order.begin(), order.end(), from);
    if (at == order.end())
        return order.empty() ? from : order.front();
    return ++at == order.end() ? order.front() : *at;
}

bool KXDialogKeys::handle(KXWindow& window, int rawKey, bool down)
{
    if (rawKey != Esc && rawKey != Tab && rawKey != Enter && rawKey != KeypadEnter)
        return false;
    KXGadget* focus = window.focusedGadget();
    if (!focus || KXWindow::active() != &window || !focus->isTabStop() || !isUsable(focus))
        return false;
    if (!down)
        return true;
    // Hot keys are seen before anything else, whoever has the focus.
    if (KXHotKeyTable::instance().keyDown(rawKey))
        return true;
    if (rawKey == Esc) {
        window.onCommand(2);
    } else if (rawKey == Tab) {
        KXGadget* next = nextInFocusOrder(window, focus, KXKeyboard::instance().modifiers() & KXKeyboard::Shift);
        if (next != focus)
            next->activate();
    } else if (auto* field = dynamic_cast<KXTextField*>(focus)) {
        field->onChar(KXTextField::EnterKey);
    } else if (auto* button = static_cast<KXButton*>(defaultButton(window))) {
        button->nativeClick();
    } else {
        window.onCommand(1);
    }
    return true;
}

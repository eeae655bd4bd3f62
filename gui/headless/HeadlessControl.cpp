// Headless controls: the scripted user's lookup, keyboard focus and native messages.
#include "gui/headless/HeadlessControl.h"

#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessWindow.h"

#include <algorithm>

HeadlessControl::HeadlessControl(KXGadget* gadget, const char* nativeClass)
    : m_gadget(gadget)
    , m_nativeClass(nativeClass)
{
    s_all.push_back(this);
}

HeadlessControl::~HeadlessControl()
{
    s_all.erase(std::remove(s_all.begin(), s_all.end(), this), s_all.end());
    HeadlessSystem::messages().dropMessagesFor(m_gadget->handle());
}

void HeadlessControl::post(std::function<void()> deliver)
{
    KXGadget* g = m_gadget;
    HeadlessSystem::messages().postMessage(g->handle(), [g, deliver = std::move(deliver)] {
        if (KXObject::isLive(g))
            deliver();
    });
}

HeadlessWindow* HeadlessControl::window() const { return dynamic_cast<HeadlessWindow*>(m_gadget->window()); }

void HeadlessControl::takeFocus()
{
    if (KXWindow* w = m_gadget->window())
        w->onFocusChanged(m_gadget);
}

void HeadlessControl::userFocus()
{
    post([this] { takeFocus(); });
}

HeadlessControl* HeadlessControl::findTabStop(const std::string& selector, std::string& error)
{
    return findIf(selector, error, [](KXGadget* g) {
        return dynamic_cast<HeadlessControl*>(g) && g->isTabStop();
    });
}

HeadlessControl* HeadlessControl::findIf(const std::string& selector, std::string& error, bool (*ofKind)(KXGadget*))
{
    int n = 0;
    bool byIndex = selector.size() > 1 && selector[0] == '#' && HeadlessScript::parseInt(selector.substr(1), n) && n >= 1;
    HeadlessControl* found = nullptr;
    int seen = 0;
    for (HeadlessControl* c : s_all) {
        if (!ofKind(c->gadget()))
            continue;
        ++seen;
        if (byIndex ? seen == n : c->gadget()->textView() == selector) {
            found = c;
            break;
        }
    }
    if (!found) {
        error = "no such control \"" + selector + "\"";
        return nullptr;
    }
    if (!found->gadget()->isVisible() || !found->gadget()->isEnabled()) {
        error = "control \"" + selector + "\" is hidden or disabled";
        return nullptr;
    }
    return found;
}

// HeadlessControl: what every headless control shares: its place in the list, in creation
// order, in which the scripted user looks controls up, keyboard focus and the posting of
// native messages to itself.
//
// Invariants: s_all holds every live headless control once, oldest first.
#pragma once

#include "gui/KXGadget.h"
#include "gui/headless/HeadlessWidget.h"

#include <functional>
#include <string>
#include <vector>

class HeadlessWindow;

class HeadlessControl : public HeadlessWidget {
public:
    // nativeClass names the kind of native control in the call log ("BUTTON", "EDIT").
    HeadlessControl(KXGadget* gadget, const char* nativeClass);
    ~HeadlessControl() override;

    KXGadget* gadget() const { return m_gadget; }
    const char* nativeClass() const { return m_nativeClass; }

    // The program window the control lies in (through any panels), or null.
    HeadlessWindow* window() const;
    // The native focus moves to the control; its window hears of it (onFocusChanged).
    void takeFocus();
    // Scripted user: posts the focus change a click into the control makes.
    void userFocus();
    // Live headless controls, oldest first.
    static const std::vector<HeadlessControl*>& all() { return s_all; }
    // The visible, enabled tab-stop control that selector names, as find does.
    static HeadlessControl* findTabStop(const std::string& selector, std::string& error);

    // The visible, enabled control of class T that selector names: "#N" is the N-th of that
    // class in creation order (from 1), anything else the one whose gadget text equals it.
    // Answers null and sets error when there is none.
    template<class T>
    static T* find(const std::string& selector, std::string& error)
    {
        HeadlessControl* c = findIf(selector, error, [](KXGadget* g) { return dynamic_cast<T*>(g) != nullptr; });
        return c ? dynamic_cast<T*>(c->gadget()) : nullptr;
    }

protected:
    // Posts a native message for this control; it is dropped when the control has gone by the
    // time the message loop delivers it.
    void post(std::function<void()> deliver);

private:
    static HeadlessControl* findIf(const std::string& selector, std::string& error, bool (*ofKind)(KXGadget*));

    KXGadget* m_gadget;
    const char* m_nativeClass;
    static inline std::vector<HeadlessControl*> s_all;
};

// The scripted user's actions on controls: "slider", "type", "pick" and "focus". Buttons, check
// boxes and radio buttons take the built-in "click". Each action on a control gives it the
// keyboard focus first, as the user's click into it would.
#include "gui/headless/HeadlessComboBox.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSlider.h"
#include "gui/headless/HeadlessTextField.h"

namespace {
// slider SELECTOR VALUE|up|down|pageup|pagedown
std::string verbSlider(const HeadlessScript::Args& a)
{
    if (a.size() != 2)
        return "usage: slider SELECTOR VALUE|up|down|pageup|pagedown";
    std::string error;
    HeadlessSlider* s = HeadlessControl::find<HeadlessSlider>(a[0], error);
    if (!s)
        return error;
    int value;
    bool isValue = HeadlessScript::parseInt(a[1], value);
    if (!isValue && a[1] != "up" && a[1] != "down" && a[1] != "pageup" && a[1] != "pagedown")
        return "usage: slider SELECTOR VALUE|up|down|pageup|pagedown";
    s->userFocus();
    if (isValue)
        s->userDrag(value);
    else if (a[1] == "up")
        s->userStep(KXSlider::Scroll::LineUp);
    else if (a[1] == "down")
        s->userStep(KXSlider::Scroll::LineDown);
    else if (a[1] == "pageup")
        s->userStep(KXSlider::Scroll::PageUp);
    else
        s->userStep(KXSlider::Scroll::PageDown);
    return {};
}

// type SELECTOR "TEXT" [replace] [enter]
std::string verbType(const HeadlessScript::Args& a)
{
    const char* usage = "usage: type SELECTOR \"TEXT\" [replace] [enter]";
    if (a.size() < 2)
        return usage;
    bool replace = false, enter = false;
    for (size_t i = 2; i < a.size(); ++i) {
        if (a[i] == "replace")
            replace = true;
        else if (a[i] == "enter")
            enter = true;
        else
            return usage;
    }
    std::string error;
    HeadlessTextField* t = HeadlessControl::find<HeadlessTextField>(a[0], error);
    if (!t)
        return error;
    t->userFocus();
    t->userType(a[1], replace, enter);
    return {};
}

// pick SELECTOR INDEX|"ITEM"
std::string verbPick(const HeadlessScript::Args& a)
{
    if (a.size() != 2)
        return "usage: pick SELECTOR INDEX|\"ITEM\"";
    std::string error;
    HeadlessComboBox* c = HeadlessControl::find<HeadlessComboBox>(a[0], error);
    if (!c)
        return error;
    int index;
    if (!HeadlessScript::parseInt(a[1], index))
        index = c->nativeIndexOf(a[1]);
    if (index < 0 || index >= int(c->nativeItems().size()))
        return "the combo box has no item " + a[1];
    c->userFocus();
    c->userPick(index);
    return {};
}

// focus SELECTOR
std::string verbFocus(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: focus SELECTOR";
    std::string error;
    HeadlessControl* c = HeadlessControl::findTabStop(a[0], error);
    if (!c)
        return error;
    c->userFocus();
    return {};
}

struct RegisterVerbs {
    RegisterVerbs()
    {
        HeadlessScript::addVerb("slider", verbSlider);
        HeadlessScript::addVerb("type", verbType);
        HeadlessScript::addVerb("pick", verbPick);
        HeadlessScript::addVerb("focus", verbFocus);
    }
} s_registerVerbs;
}

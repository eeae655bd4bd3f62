// Headless buttons: the user's click.
#include "gui/headless/HeadlessButton.h"

bool HeadlessButton::userClick()
{
    if (!isVisible() || !isEnabled())
        return false;
    switch (kind()) {
    case Kind::CheckBox:
        m_checked = !m_checked;
        break;
    case Kind::Radio:
        if (group())
            for (KXGadget* g = group()->firstChild(); g; g = g->nextSibling())
                if (auto* b = dynamic_cast<HeadlessButton*>(g); b && b != this && b->kind() == Kind::Radio)
                    b->m_checked = false;
        m_checked = true;
        break;
    default:
        break;
    }
    HeadlessSystem::log().record("ButtonClicked \"%s\" %d", std::string(textView()).c_str(), state());
    onClicked();
    return true;
}

// Buttons: the kind a style value selects.
#include "gui/KXButton.h"

KXButton::Kind KXButton::kind() const
{
    int s = style();
    return s >= 1 && s <= 5 ? Kind(s) : Kind::Push;
}

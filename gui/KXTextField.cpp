// Text fields: Enter and the last-character rule.
#include "gui/KXTextField.h"

bool KXTextField::onChar(int code)
{
    if (code == EnterKey) {
        emit(KXEventId::GadgetAction, EnterKey);
        return true;
    }
    s_lastChar = code;
    return false;
}

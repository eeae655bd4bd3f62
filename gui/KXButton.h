// KXButton: a push button, check box, radio button or default push button. The check state
// lives in the native control; the neutral half raises the action event after a click.
#pragma once

#include "gui/KXGadget.h"
#include "gui/KXStateGadget.h"

class KXButton : public KXGadget
    , public KXStateGadget {
public:
    // The kind chosen by the style value. Append-only.
    enum class Kind : int { Push = 1,
        CheckBox = 2,
        Radio = 3,
        DefaultPush = 4,
        Flat = 5 };

    KXButton(KXGroup* group, int style)
        : KXGadget(group, style)
    {
    }
    // Any other style value makes a push button.
    Kind kind() const;
    bool isCheckable() const { return kind() == Kind::CheckBox || kind() == Kind::Radio; }

    // Push buttons always answer 0.
    int state() const override { return isCheckable() && nativeChecked() ? 1 : 0; }
    void setState(int state) override { nativeSetChecked(state != 0); }
    const char* typeName() const override { return "Button Gadget"; }

    // Window procedure, neutral half: the native control reports a click (after it has
    // toggled its own check mark). Raises 0x401 with the state after the click.
    void onClicked() { emit(KXEventId::GadgetAction, state()); }

    bool isTabStop() const override { return true; }
    // Clicks the native button as the user would (the dialog's Enter on a default push
    // button); the backend reports the click through onClicked. Default: only the report.
    virtual void nativeClick() { onClicked(); }

protected:
    virtual bool nativeChecked() const = 0;
    virtual void nativeSetChecked(bool checked) = 0;
};

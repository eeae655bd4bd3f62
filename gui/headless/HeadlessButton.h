// HeadlessButton: a button on the headless platform. It keeps its check mark as the native
// control would; a user click toggles a check box, checks a radio button and unchecks the other
// radio buttons of the same group gadget.
#pragma once

#include "gui/KXButton.h"
#include "gui/headless/HeadlessGadget.h"

class HeadlessButton final : public HeadlessGadget<KXButton> {
public:
    HeadlessButton(KXGroup* group, int style)
        : HeadlessGadget(group, style, "BUTTON")
    {
    }
    bool userClick() override;
    void nativeClick() override { userClick(); }

protected:
    bool nativeChecked() const override { return m_checked; }
    void nativeSetChecked(bool checked) override { m_checked = checked; }

private:
    bool m_checked { false };
};

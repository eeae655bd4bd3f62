// KXStateGadget: the state/value pair that buttons and sliders share. ButtonState and
// SliderValue read it, SetButtonState and SetSliderValue write it, on either kind.
#pragma once

class KXStateGadget {
public:
    virtual ~KXStateGadget() = default;
    // A button: 1 when checked, else 0 (always 0 for push buttons). A slider: its position.
    virtual int state() const = 0;
    // A button: checks (state != 0) or unchecks. A slider: moves to the position, clamped.
    virtual void setState(int state) = 0;
};

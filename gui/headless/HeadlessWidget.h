// HeadlessWidget: what the scripted user can do to a headless gadget. Headless gadget classes
// derive from it next to their neutral class and override what their kind supports.
#pragma once

class HeadlessWidget {
public:
    virtual ~HeadlessWidget() = default;
    // The user clicks the gadget (buttons, check boxes). Answers false when the kind has
    // nothing to click.
    virtual bool userClick() { return false; }
};

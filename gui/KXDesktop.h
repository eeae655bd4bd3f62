// KXDesktop: the group gadget that stands for the whole screen; one per run, made by the GUI
// driver at its start and never freed by the program.
#pragma once

#include "gui/KXGroup.h"

class KXDesktop : public KXGroup {
public:
    KXDesktop()
        : KXGroup(nullptr, 0)
    {
    }
    const char* typeName() const override { return "Desktop Gadget"; }
};

// KXLabel: a line of static text with an optional frame.
#pragma once

#include "gui/KXGadget.h"

class KXLabel : public KXGadget {
public:
    // The frame chosen by style bits 0-1. Append-only.
    enum class Frame : int { None = 0,
        Thin = 1,
        Sunken = 2,
        Etched = 3 };

    KXLabel(KXGroup* group, int style)
        : KXGadget(group, style)
    {
    }
    Frame frame() const { return Frame(style() & 3); }
    const char* typeName() const override { return "Label Gadget"; }
};

// HeadlessLabel: a label on the headless platform; its frame is logged at creation.
#pragma once

#include "gui/KXLabel.h"
#include "gui/headless/HeadlessGadget.h"

class HeadlessLabel final : public HeadlessGadget<KXLabel> {
public:
    HeadlessLabel(KXGroup* group, int style)
        : HeadlessGadget(group, style, "STATIC")
    {
        HeadlessSystem::log().record("LabelFrame %d", int(frame()));
    }
};

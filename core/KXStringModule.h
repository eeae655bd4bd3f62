// KXStringModule: the runtime module "KXString", owner of the shared string constants.
//
// Invariants: the constants are made once (with the module object, or on first use when a
// caller needs one before that), hold one reference of the module's own and are never
// released; each access hands out one more reference.
#pragma once

#include "base/KXModule.h"

class KXString;

class KXStringModule : public KXModule {
public:
    KXStringModule();

    // Makes sure the constants exist.
    bool startup() override;

    // The constants, borrowed (no reference added).
    struct Constants {
        KXString* empty;
        KXString* nan;
        KXString* infinity;
        KXString* negativeInfinity;
        KXString* characters[256];
    };
    static const Constants& constants();
};

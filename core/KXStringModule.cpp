// The KXString module and the shared string constants it owns.
#include "core/KXStringModule.h"

#include "core/KXString.h"

namespace {
KXStringModule s_module;
}

// The constants are made with the module object itself, so the count of live objects does not
// jump when the first command asks for one.
KXStringModule::KXStringModule()
    : KXModule("KXString")
{
    constants();
}

bool KXStringModule::startup()
{
    constants();
    return true;
}

const KXStringModule::Constants& KXStringModule::constants()
{
    // Never destroyed: program variables and other statics may hold the constants until exit.
    static const Constants* s_constants = [] {
        auto* c = new Constants;
        c->empty = KXString::create("", 0);
        c->nan = KXString::create("NaN");
        c->infinity = KXString::create("Infinity");
        c->negativeInfinity = KXString::create("-Infinity");
        for (int i = 0; i < 256; ++i) {
            const char ch = char(i);
            c->characters[i] = KXString::create(&ch, 1);
        }
        return c;
    }();
    return *s_constants;
}

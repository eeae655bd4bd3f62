// KXCoreLib: the language core library's module, owner of the banks, streams and directory
// listings programs create. Whatever the program has not freed or closed is released when the
// module shuts down at the end of the program.
#pragma once

#include "base/KXModule.h"

class KXResource;

class KXCoreLib : public KXModule {
public:
    static KXCoreLib& instance();

    // Hands r (with the one reference its creator holds) to the module and answers its handle,
    // or 0 for null.
    static int adopt(KXResource* r);

private:
    KXCoreLib()
        : KXModule("KXCoreLib")
    {
    }
};

// The core library's module and its resource set.
#include "core/KXCoreLib.h"

#include "core/KXHandle.h"
#include "base/KXResource.h"

namespace {
KXCoreLib& s_coreLib = KXCoreLib::instance();
}

KXCoreLib& KXCoreLib::instance()
{
    static KXCoreLib module;
    return module;
}

int KXCoreLib::adopt(KXResource* r)
{
    if (!r)
        return 0;
    instance().resources()->adopt(r);
    return kxToHandle(r);
}

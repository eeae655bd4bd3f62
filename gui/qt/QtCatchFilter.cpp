// QtCatchFilter: the catch filter of the Qt message loop.
#include "gui/KXCatchFilter.h"
#include "base/KXModuleNames.h"

namespace {
class QtCatchFilter final : public KXCatchFilter {
public:
    QtCatchFilter()
        : KXCatchFilter(KXModuleNames::QtCatchFilter, KXPlatform::Qt)
    {
    }
} s_catchFilter;
}

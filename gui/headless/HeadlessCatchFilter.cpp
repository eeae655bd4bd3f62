// HeadlessCatchFilter: the catch filter of the headless message loop.
#include "gui/KXCatchFilter.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessCatchFilter final : public KXCatchFilter {
public:
    HeadlessCatchFilter()
        : KXCatchFilter(KXModuleNames::HeadlessCatchFilter, KXPlatform::Headless)
    {
    }
} s_catchFilter;
}

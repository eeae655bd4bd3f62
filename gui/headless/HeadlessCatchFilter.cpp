// HeadlessCatchFilter: the catch filter of the headless message loop.
#include "gui/KXCatchFilter.h"

namespace {
class HeadlessCatchFilter final : public KXCatchFilter {
public:
    HeadlessCatchFilter()
        : KXCatchFilter("HeadlessCatchFilter", KXPlatform::Headless)
    {
    }
} s_catchFilter;
}

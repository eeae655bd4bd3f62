// QtCatchFilter: the catch filter of the Qt message loop.
#include "gui/KXCatchFilter.h"

namespace {
class QtCatchFilter final : public KXCatchFilter {
public:
    QtCatchFilter()
        : KXCatchFilter("QtCatchFilter", KXPlatform::Qt)
    {
    }
} s_catchFilter;
}

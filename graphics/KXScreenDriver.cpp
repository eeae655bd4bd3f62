// The screen driver's neutral part: the current driver.
#include "graphics/KXScreenDriver.h"

bool KXScreenDriver::startup()
{
    if (!startDriver())
        return false;
    s_current = this;
    return true;
}

void KXScreenDriver::shutdown()
{
    if (s_current == this)
        s_current = nullptr;
    stopDriver();
}

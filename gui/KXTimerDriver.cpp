// The timer driver's neutral half.
#include "gui/KXTimerDriver.h"

#include "base/KXResource.h"

KXTimerDriver::KXTimerDriver(const char* name, KXPlatform platform)
    : KXDriver(name, nullptr, nullptr, platform)
{
}

KXTimerDriver::~KXTimerDriver() = default;

int KXTimerDriver::periodFor(float hertz)
{
    int period = int(1000.0f / hertz);
    return period < 1 ? 1 : period;
}

KXTimer* KXTimerDriver::createTimer(float hertz)
{
    if (!(hertz > 0.0f))
        return nullptr;
    KXTimer* timer = makeTimer(periodFor(hertz));
    resources()->adopt(timer);
    return timer;
}

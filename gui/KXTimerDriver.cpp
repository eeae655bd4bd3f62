// The timer driver's neutral half.
#include "gui/KXTimerDriver.h"

#include "core/KXResource.h"

KXTimerDriver::KXTimerDriver(const char* name, KXPlatform platform)
    : KXModule(name, nullptr, nullptr, platform)
{
}

KXTimerDriver::~KXTimerDriver()
{
    if (s_current == this)
        s_current = nullptr;
}

bool KXTimerDriver::startup()
{
    if (!startDependencies())
        return false;
    s_current = this;
    return true;
}

void KXTimerDriver::shutdown()
{
    if (s_current == this)
        s_current = nullptr;
}

int KXTimerDriver::periodFor(float hertz)
{
    int period = int(1000.0f / hertz);
    return period < 1 ? 1 : period;
}

KXTimer* KXTimerDriver::createTimer(float hertz)
{
    if (!(hertz > 0.0f))
        return nullptr;
    KXTimer* timer = newTimer(periodFor(hertz));
    resources()->adopt(timer);
    return timer;
}

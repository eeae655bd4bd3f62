// The timer commands.
#include "core/KXHandle.h"
#include "gui/KXTimerDriver.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

namespace {
KXTimer* timer(int handle) { return kxHandle<KXTimer>(handle, "Timer"); }
}

KX_STDCALL int CreateTimer(float hertz)
{
    if (!(hertz > 0.0f))
        return 0;
    KXTimerDriver* driver = KXTimerDriver::current();
    if (!driver)
        kxRuntimeError("Timers are not available on this platform");
    return kxToHandle(driver->createTimer(hertz));
}

KX_STDCALL void FreeTimer(int handle)
{
    if (handle)
        timer(handle)->release();
}

KX_STDCALL int TimerTicks(int handle) { return timer(handle)->ticks(); }
KX_STDCALL int WaitTimer(int handle) { return timer(handle)->waitTimer(); }
KX_STDCALL void ResetTimer(int handle) { timer(handle)->reset(); }
KX_STDCALL void PauseTimer(int handle) { timer(handle)->setPaused(true); }
KX_STDCALL void ResumeTimer(int handle) { timer(handle)->setPaused(false); }

static const KXCommandEntry s_commands[] = {
    { "%CreateTimer#hertz", KX_FN(CreateTimer) },
    { "FreeTimer%timer", KX_FN(FreeTimer) },
    { "%TimerTicks%timer", KX_FN(TimerTicks) },
    { "%WaitTimer%timer", KX_FN(WaitTimer) },
    { "ResetTimer%timer", KX_FN(ResetTimer) },
    { "PauseTimer%timer", KX_FN(PauseTimer) },
    { "ResumeTimer%timer", KX_FN(ResumeTimer) },
};
static KXCommandTable s_table(s_commands);

// Test program: Pictorra as built, but GetForegroundWindow answers the handle in the environment
// variable PT_FOREGROUND (0: no foreground window; a handle no window has: one that vanished).
// After start-up one Print Screen capture is taken at once, then the main loop runs, so the
// scripted user can read the outcome (dump) and choose Exit.
#include "../../app/pictorra.h"

namespace {

int KX_STDCALL foregroundstandin()
{
    kx_temps t;
    return kxStrToInt(t(GetEnv(t.made(kxStrFromCStr("PT_FOREGROUND")))));
}

}

KX_DATA();

KX_MAIN()
{
    startup();
    GetForegroundWindow = foregroundstandin;
    grabscreenshot();
    {
        kx_temps t;
        Print(kxcat(t, t.made(kxStrFromCStr("screenshot ")), kxnum(t, screenshot)));
    }
    mainloop();
}

// Choosing the graphics driver configuration at run time.
#include "core/KXString.h"
#include "base/KXCallConv.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"
#include "base/KXModuleRegistry.h"

namespace {
// Driver indices as programs number them; on this platform the surface backend serves the
// "DirectDraw" configuration.
constexpr const char* DriverConfigs[] = { "Native", "OpenGL", "DirectDraw" };
constexpr int DriverCount = 3;
}

KX_STDCALL int CountGfxDrivers() { return DriverCount; }

// The configuration name of driver 1 ... 3, or "" for any other index.
KX_STDCALL KXString* GfxDriverName(int driver)
{
    return KXString::make(driver >= 1 && driver <= DriverCount ? DriverConfigs[driver - 1] : "");
}

// Selects the driver's configuration for every graphics subsystem, then restarts all subsystem
// modules under the new selection (their start result is not reported).
KX_STDCALL void SetGfxDriver(int driver)
{
    if (driver < 1 || driver > DriverCount)
        kxRuntimeError("Illegal graphics driver index");
    const char* config = DriverConfigs[driver - 1];
    KXModuleRegistry& modules = KXModuleRegistry::global();
    for (const char* subsystem : { "Screen", "Canvas", "Graphics", "GrDriver2D" })
        modules.selectConfig(subsystem, config);
    modules.shutdownSubsystemModules();
    modules.startSubsystemModules();
}

static const KXCommandEntry s_commands[] = {
    { "%CountGfxDrivers", KX_FN(CountGfxDrivers) },
    { "$GfxDriverName%driver", KX_FN(GfxDriverName) },
    { "SetGfxDriver%driver", KX_FN(SetGfxDriver) },
};
static KXCommandTable s_table(s_commands);

// The display driver's neutral part: the current driver and the format check.
#include "graphics/KXSurfaceDriver.h"

#include "graphics/KXPixelFormat.h"
#include "runtime/KXError.h"

bool KXSurfaceDriver::startup()
{
    if (!startDriver())
        return false;
    s_current = this;
    return true;
}

void KXSurfaceDriver::shutdown()
{
    if (s_current == this)
        s_current = nullptr;
    stopDriver();
}

KXGraphics* KXSurfaceDriver::createSurface(int width, int height, int flags)
{
    int format = displayFormat();
    if (!kxpf::isDisplayFormat(format))
        kxRuntimeError("Unrecognized Trova pixel format: %i", format);
    return makeSurface(width, height, format, flags);
}

// The display driver's neutral part: the current driver and the format check.
#include "graphics/KXSurfaceDriver.h"

#include "graphics/KXPixelFormat.h"
#include "base/KXError.h"

KXGraphics* KXSurfaceDriver::createSurface(int width, int height, int flags)
{
    int format = displayFormat();
    if (!kxpf::isDisplayFormat(format))
        kxRuntimeError("Unrecognized Trova pixel format: %i", format);
    return makeSurface(width, height, format, flags);
}

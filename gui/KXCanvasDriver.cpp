// The canvas driver's neutral half.
#include "gui/KXCanvasDriver.h"

#include "core/KXResource.h"
#include "graphics/KXSurfaceDriver.h"
#include "runtime/KXError.h"
#include "runtime/KXModuleDependencies.h"
#include "runtime/KXModuleNames.h"

#include <algorithm>

KXCanvasDriver& KXCanvasDriver::get()
{
    if (!s_current)
        kxStartSubsystem(KXSubsystems::Canvas);
    if (!s_current)
        kxRuntimeError("Canvases are not available on this platform");
    return *s_current;
}

bool KXCanvasDriver::startup()
{
    if (!startDependencies())
        return false;
    s_current = this;
    return true;
}

void KXCanvasDriver::shutdown()
{
    if (s_current == this)
        s_current = nullptr;
}

KXGraphics* KXCanvasDriver::makeBackBuffer(int width, int height)
{
    KXSurfaceDriver* surfaces = KXSurfaceDriver::current();
    return surfaces ? surfaces->createSurface(width, height, 0) : nullptr;
}

KXCanvas* KXCanvasDriver::createCanvas(KXGroup* group, int style, int width, int height)
{
    KXRef<KXGraphics> back(makeBackBuffer(std::max(width, 1), std::max(height, 1)));
    if (!back)
        kxRuntimeError("Unable to create canvas");
    KXCanvas* canvas = makeCanvas(group, style);
    resources()->adopt(canvas);
    canvas->attachBackBuffer(back.get());
    return canvas;
}

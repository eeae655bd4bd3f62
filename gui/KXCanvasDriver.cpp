// The canvas driver's neutral half.
#include "gui/KXCanvasDriver.h"

#include "base/KXResource.h"
#include "graphics/KXSurfaceDriver.h"
#include "base/KXError.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

#include <algorithm>

KXCanvasDriver& KXCanvasDriver::get()
{
    if (!current())
        kxStartSubsystem(KXSubsystems::Canvas);
    if (!current())
        kxRuntimeError("Canvases are not available on this platform");
    return *current();
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

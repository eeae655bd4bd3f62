// KXCanvasDriver: the driver of the "Canvas" subsystem. It makes canvases with a back buffer of
// the canvas's size on the display's surfaces; every canvas belongs to its resources until the
// program frees it.
#pragma once

#include "gui/KXCanvas.h"
#include "base/KXDriver.h"

class KXCanvasDriver : public KXDriver<KXCanvasDriver> {
public:
    // The driver, starting the "Canvas" subsystem when it is not running yet; raises "Canvases
    // are not available on this platform" when the platform has none.
    static KXCanvasDriver& get();

    // A canvas in group with a back buffer of width × height (at least 1 × 1), its buffer
    // attached and cleared; the caller runs the creation sequence. Raises "Unable to create
    // canvas" when the back buffer cannot be made.
    KXCanvas* createCanvas(KXGroup* group, int style, int width, int height);

protected:
    KXCanvasDriver(const char* name, const char* config, KXPlatform platform)
        : KXDriver(name, "Canvas", config, platform)
    {
    }
    // The GUI and the display surfaces this backend's canvases need.
    virtual bool startDependencies() = 0;
    virtual KXCanvas* makeCanvas(KXGroup* group, int style) = 0;
    // A new back buffer (one reference); by default a display surface. Null when none can be made.
    virtual KXGraphics* makeBackBuffer(int width, int height);
};

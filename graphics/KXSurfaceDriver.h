// KXSurfaceDriver: the display driver of the "Graphics" subsystem. It knows the display's pixel
// format and makes the surfaces of image frames and canvas back buffers in that format.
//
// Invariants: current() is the started driver of the platform in force, or null before start.
#pragma once

#include "base/KXDriver.h"

class KXGraphics;

class KXSurfaceDriver : public KXDriver<KXSurfaceDriver> {
public:
    // The pixel format code of display surfaces (1–4).
    virtual int displayFormat() const = 0;
    // Asks for another display format; false when the platform cannot change it (tests use this
    // to run every operation in each display format).
    virtual bool setDisplayFormat(int) { return false; }
    // A new off-screen surface of the display's format (one reference); flags choose a placement
    // that does not change pixel behaviour. Raises "Unrecognized Trova pixel format: %i" when
    // the display format has no surface layout; null when no memory is left.
    KXGraphics* createSurface(int width, int height, int flags);

protected:
    KXSurfaceDriver(const char* name, const char* config, KXPlatform platform)
        : KXDriver(name, "Graphics", config, platform)
    {
    }
    // Makes the surface for createSurface, format already checked.
    virtual KXGraphics* makeSurface(int width, int height, int format, int flags) = 0;
};

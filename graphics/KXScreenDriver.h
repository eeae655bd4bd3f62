// KXScreenDriver: the driver of the "Screen" subsystem, the visible desktop. It makes surfaces
// over the desktop's pixels for the desktop buffer.
//
// Invariants: current() is the started driver of the platform in force, or null before start.
#pragma once

#include "base/KXDriver.h"

class KXGraphics;

class KXScreenDriver : public KXDriver<KXScreenDriver> {
public:
    virtual int desktopWidth() const = 0;
    virtual int desktopHeight() const = 0;
    // Constructs a surface (one reference, owned by the caller) over the desktop as it is now: reading it reads the screen,
    // writing it (where the platform allows) changes the screen. Null when the desktop cannot be
    // read.
    virtual KXGraphics* makeDesktopSurface() = 0;
    // Display refreshes per second: what the display reports, 60 where it reports nothing.
    virtual double refreshRate() const { return 60.0; }

protected:
    KXScreenDriver(const char* name, const char* config, KXPlatform platform)
        : KXDriver(name, "Screen", config, platform)
    {
    }
};

// QtDesktopSurface: a format-4 surface over the X screen, the size the screen had when it was
// made. Locking reads the screen through the desktop services into a private copy; what is
// written there stays private, since other programs' windows cannot be drawn on.
#pragma once

#include "graphics/KXGraphics.h"

#include <vector>

class QtDesktopSurface final : public KXGraphics {
public:
    QtDesktopSurface(int width, int height);
    KXGraphics* createCompatible(int width, int height) override;
    const char* typeName() const override { return "Desktop"; }
    // Reads the rectangle straight from the screen into dst in its format; false when part of it
    // lies beyond the screen (the lock then supplies the black there).
    bool readInto(int x, int y, int width, int height, uint8_t* dst, int pitch, int format) override;

protected:
    // False, locking nothing, when no desktop services are installed or the screen cannot be
    // read.
    bool lockSurface(KXLockInfo& info) override;
    void unlockSurface() override { }

private:
    std::vector<uint32_t> m_pixels;
};

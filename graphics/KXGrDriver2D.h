// KXGrDriver2D: the driver of the "GrDriver2D" subsystem, the 2D drawing context. The current
// buffer's surface and colour are handed to it; it draws text. A backend may draw with native
// calls; the neutral versions draw into locked memory with the built-in font.
//
// Invariants: current() is the started driver of the platform in force, or null before start.
#pragma once

#include "base/KXDriver.h"

#include <cstdint>
#include <string_view>

class KXGraphics;
class K2DFont;

class KXGrDriver2D : public KXDriver<KXGrDriver2D> {
public:
    // The surface and colour drawing goes to (surface null: none).
    virtual void setSurface(KXGraphics* surface) { m_surface = surface; }
    virtual void setColor(uint32_t argb) { m_color = argb; }
    KXGraphics* surface() const { return m_surface; }
    uint32_t color() const { return m_color; }

    // Draws text with the font (null: the built-in font), top-left corner at (x, y), clipped to
    // the rectangle (cx, cy, cw, ch).
    virtual void drawText(KXGraphics* surface, const K2DFont* font, int x, int y, std::string_view text,
        uint32_t argb, int cx, int cy, int cw, int ch);

protected:
    void stopping() override;
    KXGrDriver2D(const char* name, const char* config, KXPlatform platform)
        : KXDriver(name, "GrDriver2D", config, platform)
    {
    }

private:
    KXGraphics* m_surface { nullptr };
    uint32_t m_color { 0xFFFFFFFFu };
};

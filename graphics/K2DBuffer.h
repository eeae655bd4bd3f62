// K2DBuffer: what a buffer handle designates — a surface to draw on, with its lock state and
// its drawing state (origin, colours, viewport). Image frames, canvas back buffers and the
// desktop each have one.
//
// Invariants: lock count >= 0; while it is > 0 the surface is locked once on the buffer's
// behalf and pixels/pitch/format describe its memory, otherwise they are null/0/0; the viewport
// lies inside the surface.
#pragma once

#include "base/KXResource.h"
#include "graphics/KXGraphics.h"
#include "graphics/KXPixelFormat.h"

#include <cstdint>

class K2DFont;

class K2DBuffer : public KXResource {
public:
    // A new buffer over the surface (one reference; the buffer holds its own reference to the
    // surface). The drawing state starts as: origin (0, 0), colour opaque white, clear colour
    // opaque black, viewport the whole surface.
    static K2DBuffer* create(KXGraphics* graphics);
    ~K2DBuffer() override;
    const char* typeName() const override { return "Buffer"; }

    KXGraphics* graphics() const { return m_graphics; }
    int width() const { return m_graphics->width(); }
    int height() const { return m_graphics->height(); }

    // Locks the surface on the first lock; locks nest. Raises "Unable to lock buffer" when the
    // surface cannot be locked.
    void lock();
    // Undoes one lock; the last one unlocks the surface. Unlocking an unlocked buffer does nothing.
    void unlock();
    bool isLocked() const { return m_lockCount > 0; }
    int lockCount() const { return m_lockCount; }
    // The locked memory; raise "Buffer is not locked" on an unlocked buffer.
    uint8_t* lockedPixels() const;
    int lockedPitch() const;
    int lockedFormat() const;

    // Unchecked pixel access on a locked buffer, without origin. An unlocked buffer reads 0 and
    // ignores writes; coordinates are not checked.
    uint32_t readFast(int x, int y) const
    {
        if (!m_pixels)
            return 0;
        return kxpf::toArgb(m_format, m_pixels + y * m_pitch + x * m_bpp);
    }
    void writeFast(int x, int y, uint32_t argb)
    {
        if (m_pixels)
            kxpf::fromArgb(m_format, m_pixels + y * m_pitch + x * m_bpp, argb);
    }
    // Checked access with the origin added: outside the surface reads give the clear colour and
    // writes do nothing; the buffer is locked around the access.
    uint32_t read(int x, int y);
    void write(int x, int y, uint32_t argb);

    int originX() const { return m_originX; }
    int originY() const { return m_originY; }
    void setOrigin(int x, int y)
    {
        m_originX = x;
        m_originY = y;
    }
    uint32_t color() const { return m_color; }
    void setColor(uint32_t argb) { m_color = argb; }
    uint32_t clsColor() const { return m_clsColor; }
    void setClsColor(uint32_t argb) { m_clsColor = argb; }
    K2DFont* font() const { return m_font; }
    void setFont(K2DFont* font) { m_font = font; }

    int viewportX() const { return m_vpX; }
    int viewportY() const { return m_vpY; }
    int viewportWidth() const { return m_vpW; }
    int viewportHeight() const { return m_vpH; }
    // Sets the viewport clamped to the surface: x to 0..W, y to 0..H, negative sizes to 0,
    // sizes reaching past the edge cut at the edge.
    void setViewport(int x, int y, int width, int height);

private:
    explicit K2DBuffer(KXGraphics* graphics);

    int m_lockCount { 0 };
    uint8_t* m_pixels { nullptr };
    int m_pitch { 0 };
    int m_format { 0 };
    KXGraphics* m_graphics; // one reference held
    K2DFont* m_font { nullptr };
    int m_originX { 0 }, m_originY { 0 };
    uint32_t m_color { 0xFFFFFFFFu };
    uint32_t m_clsColor { 0xFF000000u };
    int m_vpX { 0 }, m_vpY { 0 }, m_vpW { 0 }, m_vpH { 0 };
    int m_bpp { 0 };
};

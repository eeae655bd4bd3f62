// KXGraphics: a drawing surface of fixed size whose pixels can be locked in one of the pixel
// formats of KXPixelFormat.h. The neutral operations (fill, plot, span, rectangle copy) work on
// locked memory; a backend overrides them where its native surfaces do better.
//
// Invariants: width() and height() never change; locks nest, and the backend's lockSurface
// runs only for the outermost lock; while locked, lockInfo() describes the pixel memory.
#pragma once

#include "base/KXResource.h"

#include <cstdint>

struct KXLockInfo {
    uint8_t* pixels { nullptr };
    int pitch { 0 };
    int format { 0 };
};

class KXGraphics : public KXResource {
public:
    int width() const { return m_width; }
    int height() const { return m_height; }
    const char* typeName() const override { return "Graphics"; }

    // A new surface of this kind and format (one reference), or null when none can be made.
    virtual KXGraphics* createCompatible(int width, int height) = 0;
    // The RGB value (alpha 0) whose pixels a masked copy from this surface skips.
    virtual void setMaskColor(uint32_t rgb) { m_maskColor = rgb & 0xFFFFFF; }
    uint32_t maskColor() const { return m_maskColor; }
    // Fills the rectangle (clipped to the surface) with the colour converted to the format.
    virtual void fillRect(int x, int y, int width, int height, uint32_t argb);
    // Sets one pixel; points outside the surface are ignored.
    virtual void plot(int x, int y, uint32_t argb);
    // Draws a horizontal run of width pixels from (x, y), clipped to the surface.
    virtual void hline(int x, int y, int width, uint32_t argb);
    // Copies a rectangle of src to (dx, dy), converting formats; both rectangles are clipped to
    // their surfaces, moving together. Masked: source pixels equal to src's mask colour are
    // left out. src may be this surface (overlap is handled).
    virtual void copyRect(int dx, int dy, KXGraphics* src, int sx, int sy, int width, int height, bool masked);
    // Writes the rectangle (inside this surface) of this surface's pixels to dst, rows of pitch
    // bytes in pixel format code format, without locking this surface: for surfaces whose pixels
    // live elsewhere (the desktop), so an unmasked copy from them into another surface takes one
    // pass. False when this surface has no such path; copyRect then locks it as usual.
    virtual bool readInto(int x, int y, int width, int height, uint8_t* dst, int pitch, int format)
    {
        (void)x, (void)y, (void)width, (void)height, (void)dst, (void)pitch, (void)format;
        return false;
    }

    // Locks the pixels (nesting); false when the surface cannot be locked now, in which case
    // nothing is to be unlocked.
    bool lock(KXLockInfo& info);
    void unlock();
    bool isLocked() const { return m_locks > 0; }
    const KXLockInfo& lockInfo() const { return m_info; }

protected:
    KXGraphics(int width, int height)
        : m_width(width)
        , m_height(height)
    {
    }
    // The outermost lock and unlock, done by the backend.
    virtual bool lockSurface(KXLockInfo& info) = 0;
    virtual void unlockSurface() = 0;

private:
    int m_width;
    int m_height;
    uint32_t m_maskColor { 0 };
    int m_locks { 0 };
    KXLockInfo m_info;
};

// Locks a surface for a scope. ok() is false when the lock failed.
class KXSurfaceLock {
public:
    explicit KXSurfaceLock(KXGraphics* g)
        : m_g(g)
        , m_ok(g && g->lock(m_info))
    {
    }
    ~KXSurfaceLock()
    {
        if (m_ok)
            m_g->unlock();
    }
    KXSurfaceLock(const KXSurfaceLock&) = delete;
    KXSurfaceLock& operator=(const KXSurfaceLock&) = delete;
    bool ok() const { return m_ok; }
    const KXLockInfo& info() const { return m_info; }
    uint8_t* row(int y) const { return m_info.pixels + y * m_info.pitch; }

private:
    KXGraphics* m_g;
    KXLockInfo m_info;
    bool m_ok;
};

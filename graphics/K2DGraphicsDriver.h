// K2DGraphicsDriver: the module behind the 2D commands. It holds the runtime-wide 2D state —
// the current buffer, the display's graphics buffer, the desktop buffer, AutoMidHandle and the
// transform filter — and owns the images the commands make.
//
// Invariants: while started, the current buffer is a live buffer (the graphics buffer when
// nothing else is current); the graphics and desktop buffers are held with one reference each.
#pragma once

#include "base/KXModule.h"

#include <cstdint>

class K2DBuffer;
class K2DImage;
class KXGraphics;
class KXGrDriver2D;
class KXResource;
class KXScreenDriver;
class KXSurfaceDriver;

class K2DGraphicsDriver final : public KXModule {
public:
    // The graphics buffer's size before any graphics mode is set.
    static constexpr int DefaultWidth = 640;
    static constexpr int DefaultHeight = 480;

    K2DGraphicsDriver();
    // The driver, started on first use.
    static K2DGraphicsDriver& instance();

    bool startup() override;
    void shutdown() override;

    // The platform's drivers; null where a platform provides none (yet).
    KXSurfaceDriver* surfaces() const;
    KXScreenDriver* screen() const;
    KXGrDriver2D* drawing() const;

    // The display format: the display driver's, or 4 (32-bit memory surfaces) without one.
    int displayFormat() const;
    // A new display surface (one reference) through the display driver, or a 32-bit memory
    // surface without one; null when no memory is left.
    KXGraphics* createSurface(int width, int height, int flags);

    // The current buffer (made the graphics buffer when nothing is current).
    K2DBuffer* current();
    // Makes buffer current, hands its surface and colour to the drawing context, and answers the
    // previous current buffer.
    K2DBuffer* setCurrent(K2DBuffer* buffer);
    // The display's buffer, made on first use.
    K2DBuffer* graphicsBuffer();
    // Releases the previous desktop buffer and makes a new one over the desktop as it is now.
    K2DBuffer* newDesktopBuffer();

    // A buffer argument of a command: 0 = the current buffer; anything else must be a live
    // buffer ("Invalid Buffer handle").
    K2DBuffer* buffer(int handle)
    {
        if (handle && reinterpret_cast<K2DBuffer*>(intptr_t(handle)) == s_lastChecked)
            return s_lastChecked;
        return checkBuffer(handle);
    }
    // buffer() for a started driver, without the start-up check: the fast pixel commands.
    static K2DBuffer* fastBuffer(int handle)
    {
        if (handle && reinterpret_cast<K2DBuffer*>(intptr_t(handle)) == s_lastChecked)
            return s_lastChecked;
        return instance().checkBuffer(handle);
    }
    // An image argument: must be a live image ("Invalid Image handle").
    static K2DImage* image(int handle);
    // Registers a new image with the driver, which keeps its reference until it is freed.
    void own(K2DImage* image);
    // Releases an image the driver owns.
    void release(K2DImage* image);

    bool autoMidHandle() const { return m_autoMidHandle; }
    void setAutoMidHandle(bool on) { m_autoMidHandle = on; }
    bool transformFilter() const { return m_filter; }
    void setTransformFilter(bool on) { m_filter = on; }

    // Called by every buffer as it goes: a current, desktop or cached buffer is forgotten.
    static void bufferGone(K2DBuffer* buffer);

private:
    K2DBuffer* checkBuffer(int handle);

    static inline K2DBuffer* s_lastChecked = nullptr; // the last handle found valid
    K2DBuffer* m_current { nullptr }; // not held
    K2DBuffer* m_graphics { nullptr };
    K2DBuffer* m_desktop { nullptr };
    bool m_autoMidHandle { false };
    bool m_filter { true };
};

// KXPixmap: a surface in ordinary memory, with a format code, a pitch and a pixel block. The
// image loader, the transform and the headless display driver make pixmaps.
//
// Invariants: the block holds height() * pitch() bytes, pitch() >= width() * bytes per pixel,
// rows are 4-byte aligned; new pixels are 0.
#pragma once

#include "graphics/KXGraphics.h"

#include <memory>

class KXPixmap : public KXGraphics {
public:
    // A new pixmap (one reference), or null for a size below 1 × 1, a size too large to hold,
    // or a format with no pixel layout.
    static KXPixmap* create(int width, int height, int format);

    KXGraphics* createCompatible(int width, int height) override { return create(width, height, m_format); }
    int format() const { return m_format; }
    int pitch() const { return m_pitch; }
    uint8_t* pixels() { return m_pixels.get(); }
    const uint8_t* pixels() const { return m_pixels.get(); }
    uint8_t* row(int y) { return m_pixels.get() + size_t(y) * size_t(m_pitch); }
    const char* typeName() const override { return "Pixmap"; }

protected:
    KXPixmap(int width, int height, int format, int pitch, std::unique_ptr<uint8_t[]> pixels);
    bool lockSurface(KXLockInfo& info) override;
    void unlockSurface() override { }

private:
    int m_format;
    int m_pitch;
    std::unique_ptr<uint8_t[]> m_pixels;
};

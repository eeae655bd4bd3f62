// KXPixmap: a surface in ordinary memory, with a format code, a pitch and a pixel block. The
// image loader, the transform and the headless display driver make pixmaps.
//
// Invariants: the block holds height() * pitch() bytes, pitch() >= width() * bytes per pixel,
// rows are 4-byte aligned; new pixels are 0.
#pragma once

#include "graphics/KXGraphics.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class KXPixmap : public KXGraphics {
public:
    // A new pixmap (one reference), or null for a size below 1 × 1, a size too large to hold,
    // or a format with no pixel layout.
    static KXPixmap* create(int width, int height, int format);
    // The same, with pixels left undefined, for callers that write every pixel at once.
    static KXPixmap* createUninitialized(int width, int height, int format);
    // The largest pixel block a pixmap holds, in bytes.
    static constexpr int64_t MaxBytes = 0x7FFFFFF0;

    KXGraphics* createCompatible(int width, int height) override { return create(width, height, m_format); }
    int format() const { return m_format; }
    int pitch() const { return m_pitch; }
    uint8_t* pixels() { return m_pixels.get(); }
    const uint8_t* pixels() const { return m_pixels.get(); }
    uint8_t* row(int y) { return m_pixels.get() + size_t(y) * size_t(m_pitch); }
    const char* typeName() const override { return "Pixmap"; }

    // Large pixel blocks are kept for reuse when pixmaps go, up to this many bytes in all, so
    // that pictures made again and again (captures, transforms) do not fault in fresh pages
    // every time.
    static constexpr size_t RecycleLimit = size_t(64) << 20;
    struct BlockDeleter {
        size_t size;
        void operator()(uint8_t* p) const;
    };
    using Block = std::unique_ptr<uint8_t[], BlockDeleter>;

protected:
    KXPixmap(int width, int height, int format, int pitch, Block pixels);
    bool lockSurface(KXLockInfo& info) override;
    void unlockSurface() override { }

private:
    int m_format;
    int m_pitch;
    Block m_pixels;
};

// KXPixmap: a surface in ordinary memory, with a format code, a pitch and a pixel block. The
// image loader, the transform and the headless display driver make pixmaps.
//
// Pixmaps made by share() hold the same block until one of them is written: every way to write
// (a lock, the non-const pixels() and row()) first gives that pixmap a block of its own, so
// sharing is invisible except in time and memory (an image copy that is only read, such as a
// thumbnail resized at once, never copies its pixels).
//
// Invariants: the block holds height() * pitch() bytes, pitch() >= width() * bytes per pixel,
// rows are 4-byte aligned; new pixels are 0; a shared block is never written.
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
    // A new pixmap (one reference) with the same size, format and pixels, sharing the block.
    KXPixmap* share() const;
    int format() const { return m_format; }
    int pitch() const { return m_pitch; }
    // Writable pixels: the block is made this pixmap's own first (std::bad_alloc when that fails).
    uint8_t* pixels()
    {
        ownBlock();
        return m_pixels.get();
    }
    const uint8_t* pixels() const { return m_pixels.get(); }
    uint8_t* row(int y) { return pixels() + size_t(y) * size_t(m_pitch); }
    const uint8_t* row(int y) const { return m_pixels.get() + size_t(y) * size_t(m_pitch); }
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
    // A lock may write: it makes the block this pixmap's own (false when memory ran out).
    bool lockSurface(KXLockInfo& info) override;
    void unlockSurface() override { }

private:
    KXPixmap(int width, int height, int format, int pitch, std::shared_ptr<uint8_t[]> pixels);
    // Gives this pixmap a copy of a shared block; throws std::bad_alloc when it cannot.
    void ownBlock();

    int m_format;
    int m_pitch;
    std::shared_ptr<uint8_t[]> m_pixels;
};

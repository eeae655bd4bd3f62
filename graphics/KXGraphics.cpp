// The neutral surface operations, done on locked pixel memory.
#include "graphics/KXGraphics.h"

#include "graphics/KXPixelFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

bool KXGraphics::lock(KXLockInfo& info)
{
    if (m_locks == 0 && !lockSurface(m_info))
        return false;
    ++m_locks;
    info = m_info;
    return true;
}

void KXGraphics::unlock()
{
    KX_ASSERT(m_locks > 0);
    if (m_locks > 0 && --m_locks == 0) {
        unlockSurface();
        m_info = KXLockInfo {};
    }
}

namespace {
// Clips (x, y, w, h) to 0..width, 0..height; false when nothing is left. Works in 64 bits so
// that no argument can overflow on the way.
bool clip(int& x, int& y, int& w, int& h, int width, int height)
{
    int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    int64_t x1 = std::min<int64_t>(int64_t(x) + w, width), y1 = std::min<int64_t>(int64_t(y) + h, height);
    if (x1 <= x0 || y1 <= y0)
        return false;
    x = int(x0);
    y = int(y0);
    w = int(x1 - x0);
    h = int(y1 - y0);
    return true;
}

// Writes n copies of the colour, already converted to the format, starting at p.
void fillRun(uint8_t* p, int n, int format, uint32_t argb)
{
    switch (kxpf::bytesPerPixel(format)) {
    case 2: {
        if (format == 5 || format == 6)
            return;
        uint16_t v = format == 1 ? kxpf::to565(argb) : kxpf::to555(argb);
        auto* q = reinterpret_cast<uint16_t*>(p);
        std::fill(q, q + n, v);
        break;
    }
    case 3:
        for (int i = 0; i < n; ++i, p += 3)
            kxpf::fromArgb(3, p, argb);
        break;
    case 4: {
        auto* q = reinterpret_cast<uint32_t*>(p);
        std::fill(q, q + n, argb);
        break;
    }
    default:
        break;
    }
}
}

void KXGraphics::fillRect(int x, int y, int w, int h, uint32_t argb)
{
    if (!clip(x, y, w, h, m_width, m_height))
        return;
    KXSurfaceLock l(this);
    if (!l.ok())
        return;
    int bpp = kxpf::bytesPerPixel(l.info().format);
    for (int j = y; j < y + h; ++j)
        fillRun(l.row(j) + x * bpp, w, l.info().format, argb);
}

void KXGraphics::plot(int x, int y, uint32_t argb)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    KXSurfaceLock l(this);
    if (l.ok())
        kxpf::fromArgb(l.info().format, l.row(y) + x * kxpf::bytesPerPixel(l.info().format), argb);
}

void KXGraphics::hline(int x, int y, int w, uint32_t argb) { fillRect(x, y, w, 1, argb); }

void KXGraphics::copyRect(int dx, int dy, KXGraphics* src, int sx, int sy, int w, int h, bool masked)
{
    if (!src)
        return;
    // Clip the source rectangle against the source, then the destination against this surface,
    // moving both together.
    int ox = sx, oy = sy;
    if (!clip(sx, sy, w, h, src->m_width, src->m_height))
        return;
    // The destination moves by what the source clip cut off; one that leaves the int range
    // lies outside every surface.
    int64_t ddx = int64_t(dx) + (int64_t(sx) - ox), ddy = int64_t(dy) + (int64_t(sy) - oy);
    if (ddx < INT32_MIN || ddx > INT32_MAX || ddy < INT32_MIN || ddy > INT32_MAX)
        return;
    dx = int(ddx);
    dy = int(ddy);
    ox = dx;
    oy = dy;
    if (!clip(dx, dy, w, h, m_width, m_height))
        return;
    sx += dx - ox;
    sy += dy - oy;

    KXSurfaceLock dl(this);
    if (!dl.ok())
        return;
    const int df = dl.info().format;
    const int dbpp = kxpf::bytesPerPixel(df);
    if (dbpp == 0)
        return;
    // A source that can write its pixels into ours directly (and that no one holds locked, which
    // would make its locked copy the one to read) skips its own lock.
    if (!masked && src != this && !src->isLocked()
        && src->readInto(sx, sy, w, h, dl.info().pixels + dy * dl.info().pitch + dx * dbpp, dl.info().pitch, df))
        return;
    KXSurfaceLock sl(src);
    if (!sl.ok())
        return;
    const int sf = sl.info().format;
    const int sbpp = kxpf::bytesPerPixel(sf);
    if (sbpp == 0)
        return;

    // A copy within one surface whose rectangles overlap goes through a private copy of the
    // source rows when the rows would be read after being written.
    std::vector<uint8_t> scratch;
    const uint8_t* sbase = sl.info().pixels + sy * sl.info().pitch + sx * sbpp;
    int spitch = sl.info().pitch;
    if (src == this && masked && dx < sx + w && sx < dx + w && dy < sy + h && sy < dy + h) {
        try {
            scratch.resize(size_t(w) * sbpp * h);
        } catch (const std::bad_alloc&) {
            return;
        }
        for (int j = 0; j < h; ++j)
            std::memcpy(&scratch[size_t(j) * w * sbpp], sbase + j * spitch, size_t(w) * sbpp);
        sbase = scratch.data();
        spitch = w * sbpp;
    }
    uint8_t* dbase = dl.info().pixels + dy * dl.info().pitch + dx * dbpp;
    const int dpitch = dl.info().pitch;
    // Rows walk upwards when an unmasked copy moves down within one surface.
    const bool upward = src == this && scratch.empty() && dy > sy;

    if (!masked && sf == df) {
        if (df == 5 || df == 6)
            return;
        for (int k = 0; k < h; ++k) {
            int j = upward ? h - 1 - k : k;
            std::memmove(dbase + j * dpitch, sbase + j * spitch, size_t(w) * dbpp);
        }
        return;
    }
    const uint32_t key = kxpf::roundTrip(sf, src->m_maskColor) & 0xFFFFFF;
    if (masked && sf == 4 && df == 4) {
        for (int j = 0; j < h; ++j) {
            auto* d = reinterpret_cast<uint32_t*>(dbase + j * dpitch);
            auto* s = reinterpret_cast<const uint32_t*>(sbase + j * spitch);
            for (int i = 0; i < w; ++i)
                if ((s[i] & 0xFFFFFF) != key)
                    d[i] = s[i];
        }
        return;
    }
    for (int k = 0; k < h; ++k) {
        int j = upward ? h - 1 - k : k;
        uint8_t* d = dbase + j * dpitch;
        const uint8_t* s = sbase + j * spitch;
        for (int i = 0; i < w; ++i, d += dbpp, s += sbpp) {
            uint32_t c = kxpf::toArgb(sf, s);
            if (masked && (c & 0xFFFFFF) == key)
                continue;
            kxpf::fromArgb(df, d, c);
        }
    }
}

// The affine image transform. Axis-aligned matrices (b = c = 0) take a separable path that
// precomputes each column's and row's sample position once; whenever both fractions have at
// most 8 fractional bits the bilinear sum is exact in single precision, so it is computed in
// integers with identical results. Everything else evaluates the float formula per pixel.
#include "graphics/K2DTransform.h"

#include "graphics/KXPixelFormat.h"
#include "graphics/KXPixmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {
constexpr float Limit = 1073741824.0f; // 2^30: coordinates beyond read as outside

// The bilinear sum of one channel, exactly as specified in single precision.
inline int blendChannel(float p00, float p10, float p01, float p11, float fx, float fy)
{
    float v = p00 * (1 - fx) * (1 - fy) + p10 * fx * (1 - fy) + p01 * (1 - fx) * fy + p11 * fx * fy + 0.5f;
    return int(v);
}

inline uint32_t blendFloat(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, float fx, float fy)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int v = blendChannel(float((p00 >> shift) & 0xFF), float((p10 >> shift) & 0xFF),
            float((p01 >> shift) & 0xFF), float((p11 >> shift) & 0xFF), fx, fy);
        out |= uint32_t(v & 0xFF) << shift;
    }
    return out;
}

// The same sum for fractions fx = FX / 256, fy = FY / 256, where it is exact.
inline uint32_t blendExact(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, int FX, int FY)
{
    if (FX == 0 && FY == 0)
        return p00;
    if (FX == 128 && FY == 128) {
        const uint32_t m = 0x00FF00FF;
        uint32_t rb = (p00 & m) + (p10 & m) + (p01 & m) + (p11 & m) + 0x00020002;
        uint32_t ag = ((p00 >> 8) & m) + ((p10 >> 8) & m) + ((p01 >> 8) & m) + ((p11 >> 8) & m) + 0x00020002;
        return ((rb >> 2) & m) | (((ag >> 2) & m) << 8);
    }
    const uint32_t w00 = uint32_t((256 - FX) * (256 - FY)), w10 = uint32_t(FX * (256 - FY));
    const uint32_t w01 = uint32_t((256 - FX) * FY), w11 = uint32_t(FX * FY);
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t s = ((p00 >> shift) & 0xFF) * w00 + ((p10 >> shift) & 0xFF) * w10
            + ((p01 >> shift) & 0xFF) * w01 + ((p11 >> shift) & 0xFF) * w11 + 32768;
        out |= (s >> 16) << shift;
    }
    return out;
}

// A sample position along one axis: the integer cell, the fraction and, when the fraction has
// at most 8 fractional bits, the fraction × 256 (else −1).
struct Axis {
    int i0;
    float f;
    int f256;
    bool in0, in1; // cells i0 and i0 + 1 lie inside the source
};

Axis bilinearAxis(float s, int handle, int size)
{
    Axis a {};
    float u = s + float(handle) - 0.5f;
    float fl = std::floor(u);
    if (!(fl >= -Limit && fl <= Limit)) {
        a.i0 = -2;
        a.f = 0;
        a.f256 = 0;
        return a;
    }
    a.i0 = int(fl);
    a.f = u - fl;
    float scaled = a.f * 256.0f;
    a.f256 = scaled == std::floor(scaled) ? int(scaled) : -1;
    a.in0 = a.i0 >= 0 && a.i0 < size;
    a.in1 = a.i0 + 1 >= 0 && a.i0 + 1 < size;
    return a;
}

// The nearest cell along one axis, or −1 when outside.
int nearestAxis(float s, int handle, int size)
{
    float fl = std::floor(s + float(handle));
    if (!(fl >= 0 && fl < float(size)))
        return -1;
    return int(fl);
}

// The source as ARGB rows: format-4 and format-7 memory is read in place (format 4 with its top
// byte forced to 0xFF); other formats are converted once.
struct Source {
    const uint8_t* base;
    int pitch;
    uint32_t alphaOr;
    std::vector<uint32_t> converted;
    int w, h;

    uint32_t at(int x, int y) const
    {
        uint32_t v;
        std::memcpy(&v, base + y * pitch + x * 4, 4);
        return v | alphaOr;
    }
    const uint32_t* row(int y) const { return reinterpret_cast<const uint32_t*>(base + y * pitch); }
};

inline void store(uint8_t* row, int format, int bpp, int i, uint32_t argb)
{
    if (bpp == 4)
        std::memcpy(row + i * 4, &argb, 4);
    else
        kxpf::fromArgb(format, row + i * bpp, argb);
}
}

K2DTransform::K2DTransform(float a, float b, float c, float d, int width, int height, int hx, int hy)
    : m_a(a)
    , m_b(b)
    , m_c(c)
    , m_d(d)
    , m_w(width)
    , m_h(height)
    , m_hx(hx)
    , m_hy(hy)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c) || !std::isfinite(d))
        return;
    const float cx[4] = { float(-hx), float(width - hx), float(width - hx), float(-hx) };
    const float cy[4] = { float(-hy), float(-hy), float(height - hy), float(height - hy) };
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (int k = 0; k < 4; ++k) {
        float tx = a * cx[k] + b * cy[k];
        float ty = c * cx[k] + d * cy[k];
        x0 = k ? std::min(x0, tx) : tx;
        x1 = k ? std::max(x1, tx) : tx;
        y0 = k ? std::min(y0, ty) : ty;
        y1 = k ? std::max(y1, ty) : ty;
    }
    float minX = std::floor(x0), minY = std::floor(y0), maxX = std::ceil(x1), maxY = std::ceil(y1);
    if (!(minX >= -Limit && maxX <= Limit && minY >= -Limit && maxY <= Limit))
        return;
    m_minX = int(minX);
    m_minY = int(minY);
    int64_t w = int64_t(maxX) - m_minX, h = int64_t(maxY) - m_minY;
    if (w < 1 || h < 1 || w > 0x7FFF'FFFF || h > 0x7FFF'FFFF)
        return;
    float delta = a * d - b * c;
    if (delta == 0 || !std::isfinite(delta))
        return;
    m_ia = d / delta;
    m_ib = -b / delta;
    m_ic = -c / delta;
    m_id = a / delta;
    m_newW = int(w);
    m_newH = int(h);
    m_valid = true;
}

KXPixmap* K2DTransform::apply(KXGraphics* source, bool bilinear) const
{
    if (!m_valid || !source || source->width() != m_w || source->height() != m_h)
        return nullptr;
    // A pixmap is read in place, without a lock, so that a copy sharing its pixels (an image
    // copied to be transformed) never copies them; other surfaces are locked.
    std::optional<KXSurfaceLock> lock;
    KXLockInfo in;
    if (const auto* pixmap = dynamic_cast<const KXPixmap*>(source)) {
        in.pixels = const_cast<uint8_t*>(pixmap->pixels()); // only read below
        in.pitch = pixmap->pitch();
        in.format = pixmap->format();
    } else {
        lock.emplace(source);
        if (!lock->ok())
            return nullptr;
        in = lock->info();
    }
    const int format = in.format;
    // Every pixel is written below. The reference is held until the end, so that a failed
    // allocation on the way (std::bad_alloc) loses nothing.
    KXRef<KXPixmap> dest(KXPixmap::createUninitialized(m_newW, m_newH, format));
    if (!dest)
        return nullptr;
    const int bpp = kxpf::bytesPerPixel(format);

    Source src { in.pixels, in.pitch, 0, {}, m_w, m_h };
    if (format == 4)
        src.alphaOr = 0xFF000000u;
    else if (format != 7) {
        src.converted.resize(size_t(m_w) * size_t(m_h));
        for (int y = 0; y < m_h; ++y)
            for (int x = 0; x < m_w; ++x)
                src.converted[size_t(y) * m_w + x] = kxpf::toArgb(format, in.pixels + size_t(y) * size_t(in.pitch) + size_t(x) * size_t(bpp));
        src.base = reinterpret_cast<const uint8_t*>(src.converted.data());
        src.pitch = m_w * 4;
    }

    auto px = [&](int i) { return float(m_minX) + 0.5f + float(i); };
    auto py = [&](int j) { return float(m_minY) + 0.5f + float(j); };
    auto sample = [&](int x, int y) -> uint32_t {
        return (x >= 0 && x < m_w && y >= 0 && y < m_h) ? src.at(x, y) : 0;
    };

    if (m_b == 0 && m_c == 0) {
        // Separable: column i samples at ia·px(i) (+ ib·py, which is ±0), row j at id·py(j).
        const float py0 = py(0), px0 = px(0);
        if (!bilinear) {
            std::vector<int> cols(static_cast<size_t>(m_newW)), rows(static_cast<size_t>(m_newH));
            for (int i = 0; i < m_newW; ++i)
                cols[size_t(i)] = nearestAxis(m_ia * px(i) + m_ib * py0, m_hx, m_w);
            for (int j = 0; j < m_newH; ++j)
                rows[size_t(j)] = nearestAxis(m_ic * px0 + m_id * py(j), m_hy, m_h);
            // The run of columns that lie inside the source, and whether it steps by 2.
            int inner0 = 0, inner1 = m_newW;
            while (inner0 < m_newW && cols[size_t(inner0)] < 0)
                ++inner0;
            while (inner1 > inner0 && cols[size_t(inner1 - 1)] < 0)
                --inner1;
            bool stride2 = true;
            for (int i = inner0; i < inner1; ++i) {
                if (cols[size_t(i)] < 0)
                    inner1 = inner0 = 0; // a gap: no inner run, every column checked
                else if (cols[size_t(i)] != cols[size_t(inner0)] + 2 * (i - inner0))
                    stride2 = false;
            }
            if (inner1 <= inner0)
                inner0 = inner1 = 0, stride2 = false;
            for (int j = 0; j < m_newH; ++j) {
                uint8_t* out = dest->row(j);
                const int sy = rows[size_t(j)];
                if (sy < 0) {
                    if (bpp == 4)
                        std::memset(out, 0, size_t(m_newW) * 4);
                    else
                        for (int i = 0; i < m_newW; ++i)
                            store(out, format, bpp, i, 0);
                    continue;
                }
                const uint32_t* in = src.row(sy);
                if (bpp == 4) {
                    auto* o = reinterpret_cast<uint32_t*>(out);
                    const uint32_t alpha = src.alphaOr;
                    for (int i = 0; i < inner0; ++i)
                        o[i] = cols[size_t(i)] >= 0 ? in[cols[size_t(i)]] | alpha : 0;
                    if (stride2) {
                        const uint32_t* s = in + cols[size_t(inner0)];
                        for (int i = inner0; i < inner1; ++i, s += 2)
                            o[i] = *s | alpha;
                    } else {
                        const int* c = cols.data();
                        for (int i = inner0; i < inner1; ++i)
                            o[i] = in[c[i]] | alpha;
                    }
                    for (int i = inner1; i < m_newW; ++i)
                        o[i] = cols[size_t(i)] >= 0 ? in[cols[size_t(i)]] | alpha : 0;
                } else {
                    for (int i = 0; i < m_newW; ++i) {
                        const int sx = cols[size_t(i)];
                        store(out, format, bpp, i, sx >= 0 ? in[sx] : 0);
                    }
                }
            }
            return dest.leak();
        }
        std::vector<Axis> cols(static_cast<size_t>(m_newW)), rows(static_cast<size_t>(m_newH));
        for (int i = 0; i < m_newW; ++i)
            cols[size_t(i)] = bilinearAxis(m_ia * px(i) + m_ib * py0, m_hx, m_w);
        for (int j = 0; j < m_newH; ++j)
            rows[size_t(j)] = bilinearAxis(m_ic * px0 + m_id * py(j), m_hy, m_h);
        // The run of columns whose two cells lie inside, and whether it is a 2:1 reduction
        // sampling the middle of each pair (fraction exactly one half, cells stepping by 2).
        int inner0 = 0, inner1 = 0;
        while (inner0 < m_newW && !(cols[size_t(inner0)].in0 && cols[size_t(inner0)].in1))
            ++inner0;
        inner1 = inner0;
        while (inner1 < m_newW && cols[size_t(inner1)].in0 && cols[size_t(inner1)].in1)
            ++inner1;
        bool halves = inner1 > inner0;
        for (int i = inner0; i < inner1 && halves; ++i)
            halves = cols[size_t(i)].f256 == 128 && cols[size_t(i)].i0 == cols[size_t(inner0)].i0 + 2 * (i - inner0);
        for (int j = 0; j < m_newH; ++j) {
            uint8_t* out = dest->row(j);
            const Axis& ry = rows[size_t(j)];
            const bool rowsIn = ry.in0 && ry.in1;
            const uint32_t* r0 = rowsIn ? src.row(ry.i0) : nullptr;
            const uint32_t* r1 = rowsIn ? src.row(ry.i0 + 1) : nullptr;
            if (halves && rowsIn && ry.f256 == 128 && bpp == 4) {
                // Each pixel is the rounded mean of a 2 × 2 block, two channels per step.
                auto* o = reinterpret_cast<uint32_t*>(out);
                const uint32_t* a = r0 + cols[size_t(inner0)].i0;
                const uint32_t* b = r1 + cols[size_t(inner0)].i0;
                const uint32_t alpha = src.alphaOr, m = 0x00FF00FF;
                for (int i = inner0; i < inner1; ++i, a += 2, b += 2) {
                    const uint32_t p00 = a[0] | alpha, p10 = a[1] | alpha, p01 = b[0] | alpha, p11 = b[1] | alpha;
                    const uint32_t rb = (p00 & m) + (p10 & m) + (p01 & m) + (p11 & m) + 0x00020002;
                    const uint32_t ag = ((p00 >> 8) & m) + ((p10 >> 8) & m) + ((p01 >> 8) & m) + ((p11 >> 8) & m) + 0x00020002;
                    o[i] = ((rb >> 2) & m) | (((ag >> 2) & m) << 8);
                }
            }
            for (int i = 0; i < m_newW; ++i) {
                if (i == inner0 && halves && rowsIn && ry.f256 == 128 && bpp == 4) {
                    i = inner1 - 1;
                    continue;
                }
                const Axis& cx = cols[size_t(i)];
                uint32_t p00, p10, p01, p11;
                if (rowsIn && cx.in0 && cx.in1) {
                    p00 = r0[cx.i0] | src.alphaOr;
                    p10 = r0[cx.i0 + 1] | src.alphaOr;
                    p01 = r1[cx.i0] | src.alphaOr;
                    p11 = r1[cx.i0 + 1] | src.alphaOr;
                } else {
                    p00 = sample(cx.i0, ry.i0);
                    p10 = sample(cx.i0 + 1, ry.i0);
                    p01 = sample(cx.i0, ry.i0 + 1);
                    p11 = sample(cx.i0 + 1, ry.i0 + 1);
                }
                uint32_t v = (cx.f256 >= 0 && ry.f256 >= 0) ? blendExact(p00, p10, p01, p11, cx.f256, ry.f256)
                                                            : blendFloat(p00, p10, p01, p11, cx.f, ry.f);
                store(out, format, bpp, i, v);
            }
        }
        return dest.leak();
    }

    // General matrices: the formula per pixel.
    for (int j = 0; j < m_newH; ++j) {
        uint8_t* out = dest->row(j);
        const float y = py(j);
        for (int i = 0; i < m_newW; ++i) {
            const float x = px(i);
            const float sx = m_ia * x + m_ib * y;
            const float sy = m_ic * x + m_id * y;
            uint32_t v;
            if (!bilinear) {
                int ix = nearestAxis(sx, m_hx, m_w), iy = nearestAxis(sy, m_hy, m_h);
                v = ix >= 0 && iy >= 0 ? src.at(ix, iy) : 0;
            } else {
                Axis ax = bilinearAxis(sx, m_hx, m_w), ay = bilinearAxis(sy, m_hy, m_h);
                v = blendFloat(sample(ax.i0, ay.i0), sample(ax.i0 + 1, ay.i0), sample(ax.i0, ay.i0 + 1),
                    sample(ax.i0 + 1, ay.i0 + 1), ax.f, ay.f);
            }
            store(out, format, bpp, i, v);
        }
    }
    return dest.leak();
}

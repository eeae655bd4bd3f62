// Pixel format codes, their memory layouts and the exact conversions to and from ARGB.
//
// Codes: 1 = 16-bit 5-6-5, 2 = 16-bit x-5-5-5, 3 = 24-bit B,G,R bytes, 4 = 32-bit 0xXXRRGGBB,
// 5 = 16-bit 1-5-5-5 with alpha, 6 = 16-bit 4-4-4-4 with alpha, 7 = 32-bit 0xAARRGGBB. Any other
// code is unknown and has 0 bytes per pixel. Values are stable: append-only.
#pragma once

#include <cstdint>
#include <cstring>

namespace kxpf {

enum Format : int { Unknown = 0,
    RGB565 = 1,
    XRGB1555 = 2,
    RGB888 = 3,
    XRGB8888 = 4,
    ARGB1555 = 5,
    ARGB4444 = 6,
    ARGB8888 = 7 };

inline int bytesPerPixel(int format)
{
    switch (format) {
    case 1:
    case 2:
    case 5:
    case 6:
        return 2;
    case 3:
        return 3;
    case 4:
    case 7:
        return 4;
    default:
        return 0;
    }
}

// True for the codes a display surface may have.
inline bool isDisplayFormat(int format) { return format >= 1 && format <= 4; }

inline uint16_t load16(const uint8_t* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline uint32_t load32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// A channel value of bits bits (1 to 16) as 8 bits. Narrow channels scale to the full range,
// v × 255 / (2^bits − 1) rounded down: the X server's colour of a TrueColor pixel (XQueryColors,
// v × 65535 / (2^bits − 1)) taken to 8 bits, which is what ImageMagick's import of a 16-bit screen
// and FreeImage's 16-bit conversions give; full intensity stays full, black stays black, 4 bits
// give v × 17. Wider channels keep their top 8 bits. The one widening rule of every pixel
// conversion: pixel formats, screen reads, clipboard pictures and BMP masks.
constexpr uint32_t widen(uint32_t v, int bits)
{
    if (bits <= 0)
        return 0;
    if (bits >= 8)
        return (v >> (bits - 8)) & 0xFF;
    const uint32_t top = (1u << bits) - 1;
    return (v & top) * 255 / top;
}

// One colour channel of a pixel value described by a mask: where it sits and how wide it is
// (from its lowest to its highest set bit).
struct Channel {
    uint32_t mask { 0 };
    int shift { 0 };
    int bits { 0 };

    constexpr explicit Channel(uint32_t m)
        : mask(m)
    {
        if (!m)
            return;
        while (!((m >> shift) & 1))
            ++shift;
        while (bits < 32 - shift && ((m >> shift) >> bits))
            ++bits;
    }
    // The channel of pixel as 8 bits (by widen).
    constexpr uint32_t value8(uint32_t pixel) const { return widen((pixel & mask) >> shift, bits); }
};

// The ARGB value of the pixel stored at p. Narrow channels widen to the full range (widen).
// Formats 5 and 6 are decoded for completeness; unknown formats read as 0.
inline uint32_t toArgb(int format, const uint8_t* p)
{
    switch (format) {
    case 1: {
        uint32_t v = load16(p);
        return 0xFF000000u | (widen(v >> 11, 5) << 16) | (widen((v >> 5) & 0x3F, 6) << 8) | widen(v & 0x1F, 5);
    }
    case 2: {
        uint32_t v = load16(p);
        return 0xFF000000u | (widen((v >> 10) & 0x1F, 5) << 16) | (widen((v >> 5) & 0x1F, 5) << 8) | widen(v & 0x1F, 5);
    }
    case 3:
        return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    case 4:
        return load32(p) | 0xFF000000u;
    case 5: {
        uint32_t v = load16(p);
        return ((v & 0x8000) ? 0xFF000000u : 0) | (widen((v >> 10) & 0x1F, 5) << 16) | (widen((v >> 5) & 0x1F, 5) << 8)
            | widen(v & 0x1F, 5);
    }
    case 6: {
        uint32_t v = load16(p);
        return (widen(v >> 12, 4) << 24) | (widen((v >> 8) & 0xF, 4) << 16) | (widen((v >> 4) & 0xF, 4) << 8) | widen(v & 0xF, 4);
    }
    case 7:
        return load32(p);
    default:
        return 0;
    }
}

// The 16-bit value format 1 stores for c.
inline uint16_t to565(uint32_t c) { return uint16_t(((c >> 8) & 0xF800) | ((c >> 5) & 0x07E0) | ((c >> 3) & 0x001F)); }
// The 16-bit value format 2 stores for c.
inline uint16_t to555(uint32_t c) { return uint16_t(((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x001F)); }

// Stores c at p in the format. Alpha is dropped except for code 7; formats 5, 6 and unknown
// codes write nothing.
inline void fromArgb(int format, uint8_t* p, uint32_t c)
{
    switch (format) {
    case 1: {
        uint16_t v = to565(c);
        std::memcpy(p, &v, 2);
        break;
    }
    case 2: {
        uint16_t v = to555(c);
        std::memcpy(p, &v, 2);
        break;
    }
    case 3:
        p[0] = uint8_t(c);
        p[1] = uint8_t(c >> 8);
        p[2] = uint8_t(c >> 16);
        break;
    case 4:
    case 7:
        std::memcpy(p, &c, 4);
        break;
    default:
        break;
    }
}

// What reading back c after storing it in the format gives (the format's view of a colour).
inline uint32_t roundTrip(int format, uint32_t c)
{
    uint8_t b[4] = {};
    fromArgb(format, b, c);
    return toArgb(format, b);
}

} // namespace kxpf

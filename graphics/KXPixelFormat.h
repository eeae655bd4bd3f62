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

// The ARGB value of the pixel stored at p. Low bits of narrow channels are 0, not replicated.
// Formats 5 and 6 are decoded for completeness; unknown formats read as 0.
inline uint32_t toArgb(int format, const uint8_t* p)
{
    switch (format) {
    case 1: {
        uint32_t v = load16(p);
        return 0xFF000000u | ((v >> 11) << 19) | (((v >> 5) & 0x3F) << 10) | ((v & 0x1F) << 3);
    }
    case 2: {
        uint32_t v = load16(p);
        return 0xFF000000u | (((v >> 10) & 0x1F) << 19) | (((v >> 5) & 0x1F) << 11) | ((v & 0x1F) << 3);
    }
    case 3:
        return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    case 4:
        return load32(p) | 0xFF000000u;
    case 5: {
        uint32_t v = load16(p);
        return ((v & 0x8000) ? 0xFF000000u : 0) | (((v >> 10) & 0x1F) << 19) | (((v >> 5) & 0x1F) << 11) | ((v & 0x1F) << 3);
    }
    case 6: {
        uint32_t v = load16(p);
        return ((v >> 12) << 28) | (((v >> 8) & 0xF) << 20) | (((v >> 4) & 0xF) << 12) | ((v & 0xF) << 4);
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

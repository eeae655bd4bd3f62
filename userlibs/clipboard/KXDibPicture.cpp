// DIB conversions of the clipboard library.
#include "userlibs/clipboard/KXDibPicture.h"

#include "graphics/KXPixelFormat.h"

#include <cstring>

namespace {
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;
// The largest picture taken: 2^26 pixels (256 MB of ARGB).
constexpr uint64_t MaxPixels = uint64_t(1) << 26;

uint32_t load32(const uint8_t* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

}

bool KXDibPicture::fromDib(const uint8_t* header, const uint8_t* bits, size_t size, KXClipPicture& out)
{
    if (!header || !bits)
        return false;
    uint32_t headerSize = load32(header);
    int32_t width = int32_t(load32(header + 4)), height = int32_t(load32(header + 8));
    uint16_t planes, bpp;
    std::memcpy(&planes, header + 12, 2);
    std::memcpy(&bpp, header + 14, 2);
    uint32_t compression = load32(header + 16);
    if (headerSize < 40 || width <= 0 || height == 0 || height == INT32_MIN || planes != 1)
        return false;
    if (bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (compression != BiRgb && !(compression == BiBitfields && bpp != 24))
        return false;
    bool bottomUp = height > 0;
    uint64_t rows = uint64_t(bottomUp ? height : -int64_t(height));
    if (uint64_t(width) * rows > MaxPixels)
        return false;
    uint64_t stride = (uint64_t(width) * bpp + 31) / 32 * 4;
    if (stride * rows > size)
        return false;

    uint32_t masks[3];
    if (compression == BiBitfields) {
        const uint8_t* m = headerSize >= 52 ? header + 40 : header + headerSize;
        for (int i = 0; i < 3; ++i)
            masks[i] = load32(m + 4 * i);
    } else if (bpp == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    }
    const kxpf::Channel red(masks[0]), green(masks[1]), blue(masks[2]);

    KXClipPicture picture;
    picture.width = width;
    picture.height = int(rows);
    picture.argb.resize(size_t(width) * size_t(rows));
    // The fourth bytes of 32-bit BI_RGB rows, when they vary, are the picture's alpha.
    bool anyClear = false, anyOpaque = false;
    for (uint64_t y = 0; y < rows; ++y) {
        const uint8_t* row = bits + stride * (bottomUp ? rows - 1 - y : y);
        uint32_t* dst = picture.argb.data() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            uint32_t pixel;
            if (bpp == 16) {
                pixel = uint32_t(row[2 * x]) | uint32_t(row[2 * x + 1]) << 8;
            } else if (bpp == 24) {
                const uint8_t* p = row + 3 * size_t(x);
                pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            } else {
                pixel = load32(row + 4 * size_t(x));
                anyClear |= (pixel >> 24) != 0xFF;
                anyOpaque |= (pixel >> 24) != 0;
            }
            dst[x] = 0xFF000000u | red.value8(pixel) << 16 | green.value8(pixel) << 8 | blue.value8(pixel);
        }
    }
    if (bpp == 32 && compression == BiRgb && anyClear && anyOpaque) {
        for (uint64_t y = 0; y < rows; ++y) {
            const uint8_t* row = bits + stride * (bottomUp ? rows - 1 - y : y);
            uint32_t* dst = picture.argb.data() + size_t(y) * size_t(width);
            for (int32_t x = 0; x < width; ++x)
                dst[x] = (dst[x] & 0xFFFFFFu) | uint32_t(row[4 * size_t(x) + 3]) << 24;
        }
    }
    out = std::move(picture);
    return true;
}

void KXDibPicture::toRows(const KXClipPicture& picture, uint8_t* dst)
{
    size_t rowBytes = size_t(picture.width) * 4;
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(dst + size_t(picture.height - 1 - y) * rowBytes, picture.argb.data() + size_t(y) * size_t(picture.width), rowBytes);
}

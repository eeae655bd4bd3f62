// BMP decoding: file and picture headers, palettes, channel masks and RLE streams.
#include "graphics/KXBmpDecoder.h"

#include "graphics/KXPixelFormat.h"
#include "graphics/KXPixmap.h"

#include <vector>

namespace {
// Compression codes of the picture header.
constexpr uint32_t Uncompressed = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6;
// The most pixels a BMP may decode to (a 1 GB pixmap).
constexpr int64_t MaxPixels = int64_t(1) << 28;

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

// A channel of a 16- or 32-bit pixel as 8 bits. Channels of fewer than 8 bits widen by repeating
// their bits (5 bits abcde give abcdeabc), as image readers expand BMP masks, so that the extremes
// stay 0 and 255; wider ones keep their top 8 bits.
uint32_t replicated(const kxpf::Channel& c, uint32_t pixel)
{
    if (!c.bits)
        return 0;
    const uint32_t v = (pixel & c.mask) >> c.shift;
    if (c.bits >= 8)
        return (v >> (c.bits - 8)) & 0xFF;
    uint32_t out = v << (8 - c.bits);
    for (int filled = c.bits; filled < 8; filled += c.bits)
        out |= out >> c.bits;
    return out & 0xFF;
}

struct Picture {
    int width { 0 }, height { 0 };
    int bpp { 0 };
    bool topDown { false };
    uint32_t compression { Uncompressed };
    uint32_t masks[3] { 0, 0, 0 };
    bool hasMasks { false };
    std::vector<uint32_t> palette; // ARGB, opaque
};

// Reads the picture header and the palette; false for anything this decoder does not read.
// start receives where the pixel data begins.
bool readHeader(const uint8_t* data, size_t size, Picture& pic, size_t& start)
{
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t pixelOffset = le32(data + 10);
    const uint32_t headerSize = le32(data + 14);
    if (headerSize < 12 || headerSize > size - 14)
        return false;
    const uint8_t* h = data + 14;
    size_t after = 14 + size_t(headerSize);
    int64_t width, height;
    uint32_t colorsUsed = 0;
    size_t entrySize = 4;
    if (headerSize == 12) {
        // The core header: unsigned 16-bit sizes, 3-byte palette entries.
        width = le16(h + 4);
        height = le16(h + 6);
        pic.bpp = le16(h + 10);
        entrySize = 3;
    } else {
        if (headerSize < 16)
            return false;
        width = int32_t(le32(h + 4));
        height = int32_t(le32(h + 8));
        pic.bpp = le16(h + 14);
        if (headerSize >= 20)
            pic.compression = le32(h + 16);
        if (headerSize >= 36)
            colorsUsed = le32(h + 32);
        // OS/2 2.x headers use codes 3 and 4 for Huffman and 24-bit RLE, which are not read.
        const bool os2 = headerSize == 16 || headerSize == 64;
        if (os2 && pic.compression > Rle4)
            return false;
        if (pic.compression == BitFields || pic.compression == AlphaBitFields) {
            // The masks sit inside headers of 52 bytes and more, else right after the header.
            const uint8_t* m = h + 40;
            if (headerSize < 52) {
                const size_t count = pic.compression == AlphaBitFields ? 4 : 3;
                if (size - after < count * 4)
                    return false;
                m = data + after;
                after += count * 4;
            }
            for (int i = 0; i < 3; ++i)
                pic.masks[i] = le32(m + 4 * i);
            pic.hasMasks = true;
        }
    }
    if (height < 0) {
        pic.topDown = true;
        height = -height;
    }
    if (width < 1 || height < 1 || width * height > MaxPixels)
        return false;
    pic.width = int(width);
    pic.height = int(height);

    switch (pic.compression) {
    case Uncompressed:
        if (pic.bpp != 1 && pic.bpp != 2 && pic.bpp != 4 && pic.bpp != 8 && pic.bpp != 16 && pic.bpp != 24 && pic.bpp != 32)
            return false;
        break;
    case Rle8:
    case Rle4:
        // Run-length pictures are stored bottom-up only.
        if (pic.bpp != (pic.compression == Rle8 ? 8 : 4) || pic.topDown)
            return false;
        break;
    case BitFields:
    case AlphaBitFields:
        if (pic.bpp != 16 && pic.bpp != 32)
            return false;
        break;
    default:
        return false;
    }

    // The palette: as many entries as the header says (all 2^bpp when it says 0), as far as the
    // file holds them; missing entries are black.
    size_t paletteBytes = 0;
    if (pic.bpp <= 8) {
        size_t entries = colorsUsed && colorsUsed < (1u << pic.bpp) ? colorsUsed : (size_t(1) << pic.bpp);
        pic.palette.assign(size_t(1) << pic.bpp, 0xFF000000u);
        for (size_t i = 0; i < entries && after + (i + 1) * entrySize <= size; ++i) {
            const uint8_t* e = data + after + i * entrySize;
            pic.palette[i] = 0xFF000000u | (uint32_t(e[2]) << 16) | (uint32_t(e[1]) << 8) | e[0];
        }
        paletteBytes = entries * entrySize;
    }
    // Pixels begin where the file header says, unless that points into the headers or past the
    // end, in which case they follow the palette.
    start = pixelOffset;
    if (start < after || start >= size)
        start = after + paletteBytes;
    return start < size;
}

bool decodeUncompressed(const uint8_t* data, size_t size, size_t start, const Picture& pic, KXPixmap& out)
{
    const int64_t stride = ((int64_t(pic.width) * pic.bpp + 31) / 32) * 4;
    if (stride * pic.height > int64_t(size - start))
        return false;
    uint32_t defaults[3] = { 0, 0, 0 };
    if (pic.bpp == 16) {
        defaults[0] = 0x7C00;
        defaults[1] = 0x03E0;
        defaults[2] = 0x001F;
    } else if (pic.bpp == 32) {
        defaults[0] = 0xFF0000;
        defaults[1] = 0x00FF00;
        defaults[2] = 0x0000FF;
    }
    const uint32_t* m = pic.hasMasks ? pic.masks : defaults;
    const kxpf::Channel red(m[0]), green(m[1]), blue(m[2]);
    for (int y = 0; y < pic.height; ++y) {
        const uint8_t* in = data + start + size_t(stride) * size_t(y);
        auto* row = reinterpret_cast<uint32_t*>(out.row(pic.topDown ? y : pic.height - 1 - y));
        for (int x = 0; x < pic.width; ++x) {
            uint32_t argb;
            switch (pic.bpp) {
            case 1:
            case 2:
            case 4:
            case 8: {
                const int bit = x * pic.bpp;
                const int index = (in[bit / 8] >> (8 - pic.bpp - bit % 8)) & ((1 << pic.bpp) - 1);
                argb = pic.palette[size_t(index)];
                break;
            }
            case 24:
                argb = 0xFF000000u | (uint32_t(in[3 * x + 2]) << 16) | (uint32_t(in[3 * x + 1]) << 8) | in[3 * x];
                break;
            default: {
                const uint32_t px = pic.bpp == 16 ? le16(in + 2 * x) : le32(in + 4 * x);
                argb = 0xFF000000u | (replicated(red, px) << 16) | (replicated(green, px) << 8) | replicated(blue, px);
                break;
            }
            }
            row[x] = argb;
        }
    }
    return true;
}

// Runs of RLE8 and RLE4 data, bottom row first. Pixels the stream never sets (after an early
// end of line or of the picture, or a delta) keep palette entry 0; a stream cut short ends the
// picture where it stops.
void decodeRle(const uint8_t* data, size_t size, size_t start, const Picture& pic, KXPixmap& out)
{
    const bool four = pic.compression == Rle4;
    for (int y = 0; y < pic.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(out.row(y));
        for (int x = 0; x < pic.width; ++x)
            row[x] = pic.palette[0];
    }
    int64_t x = 0, y = 0;
    auto put = [&](int index) {
        if (x < pic.width && y < pic.height)
            reinterpret_cast<uint32_t*>(out.row(pic.height - 1 - int(y)))[x] = pic.palette[size_t(index)];
        ++x;
    };
    size_t p = start;
    while (p + 2 <= size && y < pic.height) {
        const int count = data[p], value = data[p + 1];
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (p + 2 > size)
                break;
            x += data[p];
            y += data[p + 1];
            p += 2;
        } else {
            // Absolute mode: value pixels as they are, padded to a 16-bit boundary.
            size_t bytes = four ? (size_t(value) + 1) / 2 : size_t(value);
            if (p + bytes > size)
                break;
            for (int i = 0; i < value; ++i)
                put(four ? (i % 2 == 0 ? data[p + i / 2] >> 4 : data[p + i / 2] & 0x0F) : data[p + i]);
            p += bytes + (bytes & 1);
        }
    }
}
}

KXPixmap* KXBmpDecoder::decode(const uint8_t* data, size_t size)
{
    Picture pic;
    size_t start = 0;
    if (!data || !readHeader(data, size, pic, start))
        return nullptr;
    KXRef<KXPixmap> out(KXPixmap::createUninitialized(pic.width, pic.height, 4));
    if (!out)
        return nullptr;
    if (pic.compression == Rle8 || pic.compression == Rle4)
        decodeRle(data, size, start, pic, *out);
    else if (!decodeUncompressed(data, size, start, pic, *out))
        return nullptr;
    return out.leak();
}

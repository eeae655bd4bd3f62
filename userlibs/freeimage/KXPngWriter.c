/* The PNG encoder: rows converted and filtered into one block, compressed by one libdeflate
   call, framed as signature, IHDR, pHYs, one IDAT and IEND. */
#include "userlibs/freeimage/KXPngWriter.h"

#include <libdeflate.h>
#include <stdlib.h>
#include <string.h>

/* The largest picture taken: 2^28 pixels, as the adapter's other entry points. */
#define KXPNG_MAX_PIXELS (1ULL << 28)

static int channelsOf(int layout) { return layout == KXPNG_BGRA32 ? 4 : 3; }

static int validImage(const KXPngImage* image)
{
    if (!image || !image->top || image->width == 0 || image->height == 0 || image->width > 0x7FFFFFFFu
        || image->height > 0x7FFFFFFFu)
        return 0;
    if ((unsigned long long)image->width * image->height > KXPNG_MAX_PIXELS)
        return 0;
    return image->layout == KXPNG_BGR24 || image->layout == KXPNG_BGRX32 || image->layout == KXPNG_BGRA32;
}

size_t kxPngRowBytes(const KXPngImage* image) { return 1 + (size_t)image->width * (size_t)channelsOf(image->layout); }

/* The caller's row y (0 = top) as R, G, B(, A) bytes in out. */
static void convertRow(const KXPngImage* image, uint32_t y, uint8_t* out)
{
    const uint8_t* in = image->top + (ptrdiff_t)y * image->stride;
    uint32_t w = image->width;
    switch (image->layout) {
    case KXPNG_BGR24:
        for (uint32_t x = 0; x < w; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        break;
    case KXPNG_BGRX32:
        for (uint32_t x = 0; x < w; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        break;
    default:
        for (uint32_t x = 0; x < w; ++x, in += 4, out += 4) {
            uint32_t p;
            memcpy(&p, in, 4);
            /* B G R A -> R G B A: swap the first and third bytes. */
            p = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
            memcpy(out, &p, 4);
        }
        break;
    }
}

static uint8_t paeth(uint8_t a, uint8_t b, uint8_t c)
{
    int p = (int)a + b - c;
    int pa = abs(p - a), pb = abs(p - b), pc = abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b
                                               : c;
}

/* Filters the n bytes of cur (prev: the row above, zeros for the top row) with filter into out,
   which receives the type byte first. */
static void filterRow(int filter, const uint8_t* cur, const uint8_t* prev, size_t n, int bpp, uint8_t* out)
{
    size_t i;
    *out++ = (uint8_t)filter;
    switch (filter) {
    case KXPNG_NONE:
        memcpy(out, cur, n);
        break;
    case KXPNG_SUB:
        for (i = 0; i < (size_t)bpp; ++i)
            out[i] = cur[i];
        for (; i < n; ++i)
            out[i] = (uint8_t)(cur[i] - cur[i - bpp]);
        break;
    case KXPNG_UP:
        for (i = 0; i < n; ++i)
            out[i] = (uint8_t)(cur[i] - prev[i]);
        break;
    case KXPNG_AVERAGE:
        for (i = 0; i < (size_t)bpp; ++i)
            out[i] = (uint8_t)(cur[i] - (prev[i] >> 1));
        for (; i < n; ++i)
            out[i] = (uint8_t)(cur[i] - ((cur[i - bpp] + prev[i]) >> 1));
        break;
    default:
        for (i = 0; i < (size_t)bpp; ++i)
            out[i] = (uint8_t)(cur[i] - prev[i]);
        for (; i < n; ++i)
            out[i] = (uint8_t)(cur[i] - paeth(cur[i - bpp], prev[i], prev[i - bpp]));
        break;
    }
}

/* The sum of the filtered bytes taken as signed values: small sums compress well. */
static unsigned long sumOfMagnitudes(const uint8_t* row, size_t n)
{
    unsigned long sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += row[i] < 128 ? row[i] : 256 - row[i];
    return sum;
}

int kxPngFilterRows(const KXPngImage* image, int filter, uint8_t* out)
{
    if (!validImage(image) || !out || filter < KXPNG_NONE || filter > KXPNG_ADAPTIVE)
        return 0;
    const int bpp = channelsOf(image->layout);
    const size_t n = (size_t)image->width * (size_t)bpp, rowBytes = n + 1;
    /* Two converted rows, the current and the one above, and for the adaptive choice one
       candidate row. */
    uint8_t* scratch = calloc(filter == KXPNG_ADAPTIVE ? 3 : 2, rowBytes);
    if (!scratch)
        return 0;
    uint8_t *cur = scratch, *prev = scratch + rowBytes, *candidate = scratch + 2 * rowBytes;
    for (uint32_t y = 0; y < image->height; ++y, out += rowBytes) {
        convertRow(image, y, cur);
        if (filter != KXPNG_ADAPTIVE) {
            filterRow(filter, cur, prev, n, bpp, out);
        } else {
            unsigned long best = (unsigned long)-1;
            for (int f = KXPNG_NONE; f <= KXPNG_PAETH; ++f) {
                filterRow(f, cur, prev, n, bpp, candidate);
                unsigned long sum = sumOfMagnitudes(candidate + 1, n);
                if (sum < best) {
                    best = sum;
                    memcpy(out, candidate, rowBytes);
                }
            }
        }
        uint8_t* t = prev;
        prev = cur;
        cur = t;
    }
    free(scratch);
    return 1;
}

/* KXPNG_AUTO's trial: bands of rows spread over the picture, compressed at level 1. */
#define KXPNG_TRIAL_BANDS 4
#define KXPNG_TRIAL_ROWS 16

int kxPngChooseFilter(const KXPngImage* image)
{
    static const int candidates[] = { KXPNG_NONE, KXPNG_SUB, KXPNG_UP, KXPNG_AVERAGE };
    if (!validImage(image))
        return KXPNG_UP;
    const uint32_t rows = image->height < KXPNG_TRIAL_ROWS ? image->height : KXPNG_TRIAL_ROWS;
    const uint32_t bands = image->height / rows < KXPNG_TRIAL_BANDS ? image->height / rows : KXPNG_TRIAL_BANDS;
    const size_t rowBytes = kxPngRowBytes(image), bandBytes = rowBytes * rows, sampleSize = bandBytes * bands;
    struct libdeflate_compressor* fast = libdeflate_alloc_compressor(1);
    /* Each band is filtered with the row above it, which is then dropped: one spare row. */
    uint8_t* sample = malloc(sampleSize + rowBytes);
    size_t bound = fast ? libdeflate_deflate_compress_bound(fast, sampleSize) : 0;
    uint8_t* packed = bound ? malloc(bound) : NULL;
    int best = KXPNG_UP;
    size_t bestSize = (size_t)-1;
    for (size_t c = 0; packed && sample && c < sizeof candidates / sizeof candidates[0]; ++c) {
        int ok = 1;
        for (uint32_t b = 0; ok && b < bands; ++b) {
            /* Band b starts at the b-th of bands equal parts of the picture. */
            uint32_t first = (uint32_t)(((unsigned long long)image->height - rows) * b / (bands > 1 ? bands - 1 : 1));
            uint32_t above = first > 0;
            KXPngImage band = *image;
            band.top = image->top + (ptrdiff_t)(first - above) * image->stride;
            band.height = rows + above;
            uint8_t* at = sample + b * bandBytes;
            ok = kxPngFilterRows(&band, candidates[c], at);
            if (above)
                memmove(at, at + rowBytes, bandBytes);
        }
        size_t size = ok ? libdeflate_deflate_compress(fast, sample, sampleSize, packed, bound) : 0;
        if (size && size < bestSize) {
            bestSize = size;
            best = candidates[c];
        }
    }
    free(packed);
    free(sample);
    if (fast)
        libdeflate_free_compressor(fast);
    return best;
}

static void put32(uint8_t* p, uint32_t v)
{
    p[0] = (uint8_t)(v >> 24);
    p[1] = (uint8_t)(v >> 16);
    p[2] = (uint8_t)(v >> 8);
    p[3] = (uint8_t)v;
}

/* Sends a chunk's length and type, its data (length bytes) and its CRC. */
static int sendChunk(KXPngSink sink, void* context, const char* type, const uint8_t* data, size_t length)
{
    uint8_t head[8], tail[4];
    put32(head, (uint32_t)length);
    memcpy(head + 4, type, 4);
    uint32_t crc = libdeflate_crc32(0, head + 4, 4);
    if (length)
        crc = libdeflate_crc32(crc, data, length);
    put32(tail, crc);
    return sink(context, head, 8) && (!length || sink(context, data, length)) && sink(context, tail, 4);
}

int kxPngEncode(const KXPngImage* image, int filter, int level, KXPngSink sink, void* context)
{
    if (!validImage(image) || !sink || level < 1 || level > 12 || filter < KXPNG_NONE || filter > KXPNG_AUTO)
        return 0;
    if (filter == KXPNG_AUTO)
        filter = kxPngChooseFilter(image);
    const size_t rowBytes = kxPngRowBytes(image);
    if (rowBytes > ((size_t)-1 >> 1) / image->height)
        return 0;
    const size_t filteredSize = rowBytes * image->height;
    struct libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    uint8_t* filtered = malloc(filteredSize);
    /* The bound is reserved, but only the pages the compressor writes become resident. */
    size_t bound = compressor ? libdeflate_zlib_compress_bound(compressor, filteredSize) : 0;
    uint8_t* packed = bound ? malloc(bound) : NULL;
    int ok = compressor && filtered && packed && kxPngFilterRows(image, filter, filtered);
    size_t packedSize = ok ? libdeflate_zlib_compress(compressor, filtered, filteredSize, packed, bound) : 0;
    free(filtered);
    if (compressor)
        libdeflate_free_compressor(compressor);
    ok = packedSize > 0 && packedSize <= 0x7FFFFFFFu;

    static const uint8_t signature[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    uint8_t header[13];
    put32(header, image->width);
    put32(header + 4, image->height);
    header[8] = 8; /* bits per channel */
    header[9] = image->layout == KXPNG_BGRA32 ? 6 : 2; /* RGBA or RGB */
    header[10] = header[11] = header[12] = 0; /* deflate, adaptive filtering, no interlace */
    ok = ok && sink(context, signature, sizeof signature) && sendChunk(sink, context, "IHDR", header, sizeof header);
    if (ok && image->dotsPerMeterX && image->dotsPerMeterY) {
        uint8_t phys[9];
        put32(phys, image->dotsPerMeterX);
        put32(phys + 4, image->dotsPerMeterY);
        phys[8] = 1; /* the unit is the metre */
        ok = sendChunk(sink, context, "pHYs", phys, sizeof phys);
    }
    ok = ok && sendChunk(sink, context, "IDAT", packed, packedSize) && sendChunk(sink, context, "IEND", NULL, 0);
    free(packed);
    return ok;
}

int kxPngWrite(const KXPngImage* image, KXPngSink sink, void* context)
{
    return kxPngEncode(image, KXPNG_DEFAULT_FILTER, KXPNG_DEFAULT_LEVEL, sink, context);
}

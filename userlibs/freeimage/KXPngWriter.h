/* A fast PNG encoder for 8-bit RGB and RGBA pictures: one row filter for the whole picture and
   one deflate call (libdeflate) over the filtered rows. Non-interlaced, 8 bits per channel.

   The encoder reads the caller's rows in place (no copy of the picture is made besides the
   filtered rows the compressor needs) and hands the file's bytes to a sink, so the caller
   decides where they go and how the file is opened and finished. */
#ifndef KX_PNG_WRITER_H
#define KX_PNG_WRITER_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* How the caller's pixels sit in memory (little-endian byte order). */
enum KXPngLayout {
    KXPNG_BGR24 = 0, /* bytes blue, green, red */
    KXPNG_BGRX32 = 1, /* bytes blue, green, red, unused: written as RGB */
    KXPNG_BGRA32 = 2 /* bytes blue, green, red, alpha: written as RGBA */
};

/* PNG's row filters; KXPNG_ADAPTIVE: each row by the smallest sum of absolute differences (the
   usual per-row choice); KXPNG_AUTO: one of none, sub, up and average for the whole picture, the
   one whose sample rows (a few bands spread over the picture) compress smallest. Flat colours and
   text favour none, photographs a predicting filter. */
enum KXPngFilter {
    KXPNG_NONE = 0,
    KXPNG_SUB = 1,
    KXPNG_UP = 2,
    KXPNG_AVERAGE = 3,
    KXPNG_PAETH = 4,
    KXPNG_ADAPTIVE = 5,
    KXPNG_AUTO = 6
};

typedef struct KXPngImage {
    const uint8_t* top; /* the first pixel of the top row */
    ptrdiff_t stride; /* bytes from a row to the row below it; negative for bottom-up storage */
    uint32_t width, height;
    int layout; /* enum KXPngLayout */
    uint32_t dotsPerMeterX, dotsPerMeterY; /* written as pHYs when both are set */
} KXPngImage;

/* Receives the next length bytes of the file; returns 0 to stop the encode (a write failed). */
typedef int (*KXPngSink)(void* context, const uint8_t* bytes, size_t length);

/* The filter and deflate level the encoder uses unless told otherwise (chosen by measurement:
   bench_png_encode prints the alternatives). */
enum { KXPNG_DEFAULT_FILTER = KXPNG_AUTO,
    KXPNG_DEFAULT_LEVEL = 5 };

/* Bytes of one filtered row: the filter type byte and the row's channels. */
size_t kxPngRowBytes(const KXPngImage* image);

/* Writes the filtered rows of the whole picture, top row first, to out (height rows of
   kxPngRowBytes bytes); 0 for a filter or layout it does not know, or KXPNG_AUTO. */
int kxPngFilterRows(const KXPngImage* image, int filter, uint8_t* out);

/* The filter KXPNG_AUTO picks for the picture; KXPNG_UP when memory for the trial ran out. */
int kxPngChooseFilter(const KXPngImage* image);

/* Encodes the picture as a PNG file through sink, with the filter (any of enum KXPngFilter)
   and deflate level (1 to 12) given. Returns 1 when every byte went to the sink; 0 when the picture cannot be described
   (no rows, a zero or oversized width or height, an unknown layout), memory ran out or the sink
   failed. */
int kxPngEncode(const KXPngImage* image, int filter, int level, KXPngSink sink, void* context);

/* kxPngEncode with the default filter and level. */
int kxPngWrite(const KXPngImage* image, KXPngSink sink, void* context);

#ifdef __cplusplus
}
#endif

#endif

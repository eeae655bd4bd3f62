/* FreeImage.dll: the image-file functions programs bind as "data\FreeImage.dll", stdcall under
   their decorated names ("_FreeImage_Save@16" is exported as "_FreeImage_Save"), forwarding to
   the system's FreeImage library. Arguments programs can get wrong (null bitmaps, impossible
   sizes, short rows) give the failure value instead of reaching the library.

   Two adjustments keep program pictures intact:
   - Raw 32-bit pixels described by red, green and blue masks carry no alpha (the fourth byte of
     a 0xXXRRGGBB pixel is unused), so FreeImage_ConvertFromRawBits makes such bitmaps opaque;
     otherwise a PNG saved from them could come out transparent.
   - FreeImage_Save writes a bitmap whose depth the chosen writer refuses (JPEG takes only 8 and
     24 bits for RGB pictures, PNG no 16-bit pixels) through a 24-bit copy instead of failing;
     a fully opaque 32-bit bitmap goes to PNG as RGB without an alpha channel.
   PNG with the default flags is written by the adapter's own encoder (KXPngWriter) straight from
   the bitmap's rows, several times faster than the library's; every other format and flag goes
   to the library. File names may use "\" or "/" between folders. A save never leaves a partial
   file under its name, nor writes through a link it did not make (core/KXAtomicFile.h). */
#include "core/KXAtomicFile.h"
#include "userlibs/freeimage/KXBitmapView.h"
#include "userlibs/freeimage/KXPngWriter.h"

#include <FreeImage.h>
#ifdef __SSE2__
#    include <emmintrin.h>
#endif
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#define FI_EXPORT __attribute__((stdcall, visibility("default")))
#define FI_STDCALL __attribute__((stdcall))

FI_EXPORT BOOL kxfiSave(int format, FIBITMAP* dib, const char* filename, int flags) __asm__("_FreeImage_Save");
FI_EXPORT void kxfiUnload(FIBITMAP* dib) __asm__("_FreeImage_Unload");
FI_EXPORT BYTE* kxfiGetBits(FIBITMAP* dib) __asm__("_FreeImage_GetBits");
FI_EXPORT unsigned kxfiGetWidth(FIBITMAP* dib) __asm__("_FreeImage_GetWidth");
FI_EXPORT unsigned kxfiGetHeight(FIBITMAP* dib) __asm__("_FreeImage_GetHeight");
FI_EXPORT unsigned kxfiGetPitch(FIBITMAP* dib) __asm__("_FreeImage_GetPitch");
FI_EXPORT FIBITMAP* kxfiConvertTo24Bits(FIBITMAP* dib) __asm__("_FreeImage_ConvertTo24Bits");
FI_EXPORT BITMAPINFOHEADER* kxfiGetInfoHeader(FIBITMAP* dib) __asm__("_FreeImage_GetInfoHeader");
FI_EXPORT FIBITMAP* kxfiConvertFromRawBits(BYTE* bits, int width, int height, int pitch, unsigned bpp,
    unsigned redMask, unsigned greenMask, unsigned blueMask, BOOL topdown) __asm__("_FreeImage_ConvertFromRawBits");
FI_EXPORT FIBITMAP* kxfiConvertFromRawBitsEx(BOOL copySource, BYTE* bits, int type, int width, int height, int pitch,
    unsigned bpp, unsigned redMask, unsigned greenMask, unsigned blueMask, BOOL topdown) __asm__("_FreeImage_ConvertFromRawBitsEx");
FI_EXPORT void kxfiConvertToRawBits(BYTE* bits, FIBITMAP* dib, int pitch, unsigned bpp, unsigned redMask,
    unsigned greenMask, unsigned blueMask, BOOL topdown) __asm__("_FreeImage_ConvertToRawBits");

/* The row length of width pixels of bpp bits, or 0 when it overflows. */
static long long rowBytes(long long width, unsigned bpp) { return (width * bpp + 7) / 8; }

/* The bytes a raw block of height rows of pitch bytes spans, the last row counted to its
   pixels only; false when the arguments cannot describe a block. */
static int rawBlockValid(const BYTE* bits, int width, int height, int pitch, unsigned bpp)
{
    if (!bits || width <= 0 || height <= 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
        return 0;
    if ((long long)width * height > (1LL << 28))
        return 0;
    return pitch > 0 && pitch >= rowBytes(width, bpp);
}

/* True when every pixel of a 32-bit bitmap is fully opaque. */
static int allOpaque(FIBITMAP* dib)
{
    unsigned width = FreeImage_GetWidth(dib), height = FreeImage_GetHeight(dib);
    for (unsigned y = 0; y < height; ++y) {
        const uint32_t* line = (const uint32_t*)FreeImage_GetScanLine(dib, (int)y);
        uint32_t all = FI_RGBA_ALPHA_MASK;
        for (unsigned x = 0; x < width; ++x)
            all &= line[x];
        if ((all & FI_RGBA_ALPHA_MASK) != FI_RGBA_ALPHA_MASK)
            return 0;
    }
    return 1;
}

/* FreeImage's output through a stdio stream over the file being written. */
static unsigned DLL_CALLCONV streamWrite(void* buffer, unsigned size, unsigned count, fi_handle handle)
{
    return (unsigned)fwrite(buffer, size, count, (FILE*)handle);
}

static int DLL_CALLCONV streamSeek(fi_handle handle, long offset, int origin) { return fseek((FILE*)handle, offset, origin); }

static long DLL_CALLCONV streamTell(fi_handle handle) { return ftell((FILE*)handle); }

static unsigned DLL_CALLCONV streamRead(void* buffer, unsigned size, unsigned count, fi_handle handle)
{
    return (unsigned)fread(buffer, size, count, (FILE*)handle);
}

struct SaveJob {
    FREE_IMAGE_FORMAT fif;
    FIBITMAP* dib;
    int flags;
};

/* Encodes the job's bitmap into fd (kept open; the temporary file saveAtomically made); 0 when
   every byte was written, else an errno value. An encoder of the adapter's own writes to the
   same descriptor and is chosen here. */
static int encodeTo(int fd, void* context)
{
    const struct SaveJob* job = context;
    int copy = dup(fd);
    FILE* out = copy >= 0 ? fdopen(copy, "w+b") : NULL;
    if (!out) {
        int e = errno ? errno : ENOMEM;
        if (copy >= 0)
            close(copy);
        return e;
    }
    FreeImageIO io = { streamRead, streamWrite, streamSeek, streamTell };
    BOOL ok = FreeImage_SaveToHandle(job->fif, job->dib, &io, (fi_handle)out, job->flags);
    int e = ok && fflush(out) == 0 && !ferror(out) ? 0 : (errno ? errno : EIO);
    if (fclose(out) != 0 && !e)
        e = errno ? errno : EIO;
    return e;
}

/* Writes the bitmap to the file whole or not at all: an existing file is replaced only by a
   complete one, a new name is taken only by a complete file and never from an entry that
   appeared meanwhile (KXAtomicFile). */
static BOOL saveAtomically(FREE_IMAGE_FORMAT fif, FIBITMAP* dib, const char* path, int flags)
{
    struct SaveJob job = { fif, dib, flags };
    return kxAtomicFileWrite(path, KXAtomicReplace, encodeTo, &job) == 0;
}

/* True when the adapter's encoder writes the bitmap as the library would: 8 bits per channel
       RGB or RGBA pixels, default flags, nothing else the library's writer would carry along (a
       colour profile, text or XMP metadata). */
static int ownPngWriterTakes(FIBITMAP* dib, int flags)
{
    unsigned bpp = FreeImage_GetBPP(dib);
    FIICCPROFILE* profile = FreeImage_GetICCProfile(dib);
    return flags == PNG_DEFAULT && FreeImage_GetImageType(dib) == FIT_BITMAP && (bpp == 24 || bpp == 32)
        && (!profile || !profile->size) && FreeImage_GetMetadataCount(FIMD_COMMENTS, dib) == 0
        && FreeImage_GetMetadataCount(FIMD_XMP, dib) == 0;
}

struct PngJob {
    const KXPngImage* image;
    int fd;
    int error;
};

static int fdSink(void* context, const uint8_t* bytes, size_t length)
{
    struct PngJob* job = context;
    job->error = kxAtomicWriteAll(job->fd, bytes, length);
    return job->error == 0;
}

static int encodePngTo(int fd, void* context)
{
    struct PngJob* job = context;
    job->fd = fd;
    job->error = 0;
    if (kxPngWrite(job->image, fdSink, job))
        return 0;
    return job->error ? job->error : EINVAL;
}

/* Writes a bitmap ownPngWriterTakes to path as layout (enum KXPngLayout), whole or not at all;
   topdown: its scan line 0 is the top row (a view of top-down rows), else the bottom row, as the
   library keeps it. */
static BOOL savePng(FIBITMAP* dib, const char* path, int layout, int topdown)
{
    unsigned height = FreeImage_GetHeight(dib);
    ptrdiff_t pitch = (ptrdiff_t)FreeImage_GetPitch(dib);
    KXPngImage image;
    image.top = FreeImage_GetScanLine(dib, topdown ? 0 : (int)height - 1);
    image.stride = topdown ? pitch : -pitch;
    image.width = FreeImage_GetWidth(dib);
    image.height = height;
    image.layout = layout;
    image.dotsPerMeterX = FreeImage_GetDotsPerMeterX(dib);
    image.dotsPerMeterY = FreeImage_GetDotsPerMeterY(dib);
    struct PngJob job = { &image, -1, 0 };
    return kxAtomicFileWrite(path, KXAtomicReplace, encodePngTo, &job) == 0;
}

/* An ordinary bitmap with a view's pixels, upright and (at 32 bits) opaque; rgb: at 24 bits
   whatever the view's depth, in the same one pass. NULL when memory ran out. */
static FIBITMAP* copyOfView(FIBITMAP* dib, const KXBitmapView* view, int rgb)
{
    int width = (int)FreeImage_GetWidth(dib), height = (int)FreeImage_GetHeight(dib), pitch = (int)FreeImage_GetPitch(dib);
    if (!rgb || FreeImage_GetBPP(dib) != 32)
        return kxfiConvertFromRawBits(FreeImage_GetBits(dib), width, height, pitch, FreeImage_GetBPP(dib),
            FreeImage_GetRedMask(dib), FreeImage_GetGreenMask(dib), FreeImage_GetBlueMask(dib), view->topdown);
    FIBITMAP* copy = FreeImage_Allocate(width, height, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    for (int y = 0; copy && y < height; ++y) {
        const BYTE* in = FreeImage_GetScanLine(dib, y);
        BYTE* out = FreeImage_GetScanLine(copy, view->topdown ? height - 1 - y : y);
        for (int x = 0; x < width; ++x, in += 4, out += 3)
            out[0] = in[0], out[1] = in[1], out[2] = in[2];
    }
    return copy;
}

BOOL FI_STDCALL kxfiSave(int format, FIBITMAP* dib, const char* filename, int flags)
{
    if (!dib || !filename || !*filename || !FreeImage_HasPixels(dib))
        return FALSE;
    size_t length = strlen(filename);
    char* path = malloc(length + 1);
    if (!path)
        return FALSE;
    for (size_t i = 0; i <= length; ++i)
        path[i] = filename[i] == '\\' ? '/' : filename[i];
    FREE_IMAGE_FORMAT fif = (FREE_IMAGE_FORMAT)format;
    BOOL ok = FALSE;
    const KXBitmapView* view = kxViewFind(dib);
    if (view) {
        /* A view is read in place for PNG; any other writer gets an ordinary copy. Its fourth
           byte at 32 bits is unused, as for the raw bits a copy is made from. */
        if (fif == FIF_PNG && ownPngWriterTakes(dib, flags)) {
            ok = savePng(dib, path, FreeImage_GetBPP(dib) == 24 ? KXPNG_BGR24 : KXPNG_BGRX32, view->topdown);
        } else {
            /* JPEG takes RGB pixels as 24 bits: made so at once, not through a 32-bit copy. */
            FIBITMAP* copy = copyOfView(dib, view, fif == FIF_JPEG);
            ok = copy && kxfiSave(format, copy, filename, flags);
            FreeImage_Unload(copy);
        }
    } else if (FreeImage_FIFSupportsWriting(fif)) {
        unsigned bpp = FreeImage_GetBPP(dib);
        /* The JPEG writer claims 32 bits but takes them only as CMYK: RGB pixels go through 24. */
        int refused = !FreeImage_FIFSupportsExportBPP(fif, (int)bpp) || (fif == FIF_JPEG && bpp != 8 && bpp != 24);
        int needsCopy = FreeImage_GetImageType(dib) == FIT_BITMAP && refused;
        FIBITMAP* copy = needsCopy ? FreeImage_ConvertTo24Bits(dib) : NULL;
        FIBITMAP* source = copy ? copy : dib;
        if (fif == FIF_PNG && ownPngWriterTakes(source, flags)) {
            /* An opaque picture (every capture) needs no alpha channel: as RGB the encoder
               compresses a quarter fewer bytes, and the file is smaller. */
            int layout = FreeImage_GetBPP(source) == 24 ? KXPNG_BGR24 : allOpaque(source) ? KXPNG_BGRX32
                                                                                          : KXPNG_BGRA32;
            ok = savePng(source, path, layout, 0);
        } else if (!needsCopy || copy) {
            ok = saveAtomically(fif, source, path, flags);
        }
        if (copy)
            FreeImage_Unload(copy);
    }
    free(path);
    return ok;
}

void FI_STDCALL kxfiUnload(FIBITMAP* dib)
{
    kxViewRemove(dib);
    FreeImage_Unload(dib);
}

BYTE* FI_STDCALL kxfiGetBits(FIBITMAP* dib) { return dib ? FreeImage_GetBits(dib) : NULL; }

unsigned FI_STDCALL kxfiGetWidth(FIBITMAP* dib) { return dib ? FreeImage_GetWidth(dib) : 0; }

unsigned FI_STDCALL kxfiGetHeight(FIBITMAP* dib) { return dib ? FreeImage_GetHeight(dib) : 0; }

unsigned FI_STDCALL kxfiGetPitch(FIBITMAP* dib) { return dib ? FreeImage_GetPitch(dib) : 0; }

FIBITMAP* FI_STDCALL kxfiConvertTo24Bits(FIBITMAP* dib)
{
    const KXBitmapView* view = kxViewFind(dib);
    if (!view)
        return dib ? FreeImage_ConvertTo24Bits(dib) : NULL;
    return copyOfView(dib, view, 1);
}

BITMAPINFOHEADER* FI_STDCALL kxfiGetInfoHeader(FIBITMAP* dib) { return dib ? FreeImage_GetInfoHeader(dib) : NULL; }

FIBITMAP* FI_STDCALL kxfiConvertFromRawBits(BYTE* bits, int width, int height, int pitch, unsigned bpp,
    unsigned redMask, unsigned greenMask, unsigned blueMask, BOOL topdown)
{
    if (!rawBlockValid(bits, width, height, pitch, bpp))
        return NULL;
    if (bpp != 32)
        return FreeImage_ConvertFromRawBits(bits, width, height, pitch, bpp, redMask, greenMask, blueMask, topdown);
    /* 32 bits: the rows are copied and made opaque in one pass (a screen-sized capture is
       8 MB, which FreeImage's own copy and a second pass for the alpha would each walk). */
    FIBITMAP* dib = FreeImage_Allocate(width, height, 32, redMask, greenMask, blueMask);
    if (!dib)
        return NULL;
    for (int y = 0; y < height; ++y) {
        const BYTE* in = bits + (size_t)y * (size_t)pitch; /* a program's rows need not be aligned */
        uint32_t* out = (uint32_t*)FreeImage_GetScanLine(dib, topdown ? height - 1 - y : y);
        int x = 0;
#ifdef __SSE2__
        const __m128i alpha = _mm_set1_epi32((int)FI_RGBA_ALPHA_MASK);
        for (; x + 4 <= width; x += 4)
            _mm_storeu_si128((__m128i*)(out + x), _mm_or_si128(_mm_loadu_si128((const __m128i*)(in + 4 * x)), alpha));
#endif
        for (; x < width; ++x) {
            uint32_t pixel;
            memcpy(&pixel, in + 4 * x, 4);
            out[x] = pixel | FI_RGBA_ALPHA_MASK;
        }
    }
    return dib;
}

/* copySource FALSE: a view of the rows (KXBitmapView) for 24- and 32-bit pixels; any other
   depth, or a view that cannot be recorded, gets a copy, which is the same to a program. */
FIBITMAP* FI_STDCALL kxfiConvertFromRawBitsEx(BOOL copySource, BYTE* bits, int type, int width, int height, int pitch,
    unsigned bpp, unsigned redMask, unsigned greenMask, unsigned blueMask, BOOL topdown)
{
    if (type != FIT_BITMAP || !rawBlockValid(bits, width, height, pitch, bpp))
        return NULL;
    if (copySource || (bpp != 24 && bpp != 32))
        return kxfiConvertFromRawBits(bits, width, height, pitch, bpp, redMask, greenMask, blueMask, topdown);
    FIBITMAP* dib = FreeImage_ConvertFromRawBitsEx(FALSE, bits, FIT_BITMAP, width, height, pitch, bpp, redMask, greenMask,
        blueMask, FALSE);
    if (dib && !kxViewAdd(dib, topdown ? 1 : 0)) {
        FreeImage_Unload(dib);
        dib = NULL;
    }
    return dib ? dib : kxfiConvertFromRawBits(bits, width, height, pitch, bpp, redMask, greenMask, blueMask, topdown);
}

void FI_STDCALL kxfiConvertToRawBits(BYTE* bits, FIBITMAP* dib, int pitch, unsigned bpp, unsigned redMask,
    unsigned greenMask, unsigned blueMask, BOOL topdown)
{
    if (!dib || !rawBlockValid(bits, (int)FreeImage_GetWidth(dib), (int)FreeImage_GetHeight(dib), pitch, bpp))
        return;
    const KXBitmapView* view = kxViewFind(dib);
    FIBITMAP* copy = view ? copyOfView(dib, view, 0) : NULL;
    if (!view || copy)
        FreeImage_ConvertToRawBits(bits, copy ? copy : dib, pitch, bpp, redMask, greenMask, blueMask, topdown);
    FreeImage_Unload(copy);
}

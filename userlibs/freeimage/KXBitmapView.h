/* Bitmaps that wrap a caller's pixel rows instead of copying them (FreeImage_ConvertFromRawBitsEx
   without copySource): the adapter remembers which bitmaps are such views and how their rows
   run, so a save reads them in place and upright. A view is valid while the rows it wraps are;
   the library itself sees the rows as they lie in memory (its scan line 0 is the first row). */
#ifndef KX_BITMAP_VIEW_H
#define KX_BITMAP_VIEW_H

#include <FreeImage.h>

typedef struct KXBitmapView {
    FIBITMAP* dib; /* the library's header over the rows */
    int topdown; /* the first row in memory is the picture's top row */
} KXBitmapView;

/* Registers dib as a view; 0 when memory ran out (dib is then not a view). */
int kxViewAdd(FIBITMAP* dib, int topdown);

/* The view record of dib, or NULL when dib is an ordinary bitmap. */
const KXBitmapView* kxViewFind(const FIBITMAP* dib);

/* Forgets dib (before it is unloaded); nothing for an ordinary bitmap. */
void kxViewRemove(const FIBITMAP* dib);

#endif

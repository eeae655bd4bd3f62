/* The adapter's list of bitmap views. Programs keep a handful of bitmaps at a time, so a short
   array searched from the end is enough. */
#include "userlibs/freeimage/KXBitmapView.h"

#include <stdlib.h>

static KXBitmapView* s_views;
static size_t s_count, s_capacity;

int kxViewAdd(FIBITMAP* dib, int topdown)
{
    if (s_count == s_capacity) {
        size_t capacity = s_capacity ? 2 * s_capacity : 8;
        KXBitmapView* grown = realloc(s_views, capacity * sizeof *grown);
        if (!grown)
            return 0;
        s_views = grown;
        s_capacity = capacity;
    }
    s_views[s_count].dib = dib;
    s_views[s_count].topdown = topdown;
    ++s_count;
    return 1;
}

const KXBitmapView* kxViewFind(const FIBITMAP* dib)
{
    for (size_t i = s_count; dib && i-- > 0;)
        if (s_views[i].dib == dib)
            return &s_views[i];
    return NULL;
}

void kxViewRemove(const FIBITMAP* dib)
{
    const KXBitmapView* view = kxViewFind(dib);
    if (view)
        s_views[view - s_views] = s_views[--s_count];
}

// The 2D drawing context's neutral part.
#include "graphics/KXGrDriver2D.h"

#include "graphics/K2DFont.h"

void KXGrDriver2D::stopping()
{
    m_surface = nullptr;
}

void KXGrDriver2D::drawText(KXGraphics* surface, const K2DFont* font, int x, int y, std::string_view text,
    uint32_t argb, int cx, int cy, int cw, int ch)
{
    if (!surface)
        return;
    (font ? *font : K2DFont::builtin()).draw(surface, x, y, text, argb, cx, cy, cw, ch);
}

// Drawing commands on the current buffer: colours, origin, viewport, clearing, lines, shapes
// and text. Everything but CopyRect is clipped to the current buffer's viewport.
#include "core/KXString.h"
#include "graphics/GraphicsCommands.h"
#include "graphics/K2DBuffer.h"
#include "graphics/K2DFont.h"
#include "graphics/K2DGraphicsDriver.h"
#include "graphics/KXGrDriver2D.h"
#include "base/KXCommandTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
K2DBuffer* cur() { return K2DGraphicsDriver::instance().current(); }

uint32_t rgb(int r, int g, int b) { return 0xFF000000u | (uint32_t(r & 0xFF) << 16) | (uint32_t(g & 0xFF) << 8) | uint32_t(b & 0xFF); }

// Fills the part of the rectangle (buffer coordinates) inside the viewport.
void fillClipped(K2DBuffer* b, int x, int y, int w, int h, uint32_t argb)
{
    int x0 = std::max(x, b->viewportX()), y0 = std::max(y, b->viewportY());
    int64_t x1 = std::min<int64_t>(int64_t(x) + w, int64_t(b->viewportX()) + b->viewportWidth());
    int64_t y1 = std::min<int64_t>(int64_t(y) + h, int64_t(b->viewportY()) + b->viewportHeight());
    if (x1 > x0 && y1 > y0)
        b->graphics()->fillRect(x0, y0, int(x1 - x0), int(y1 - y0), argb);
}

bool inViewport(const K2DBuffer* b, int x, int y)
{
    return x >= b->viewportX() && y >= b->viewportY() && x < b->viewportX() + b->viewportWidth()
        && y < b->viewportY() + b->viewportHeight();
}

enum : int { Below = 1,
    Above = 2,
    Right = 4,
    Left = 8 };

int outcode(const K2DBuffer* b, int64_t x, int64_t y)
{
    int code = 0;
    if (y > b->viewportY() + b->viewportHeight() - 1)
        code |= Below;
    else if (y < b->viewportY())
        code |= Above;
    if (x > b->viewportX() + b->viewportWidth() - 1)
        code |= Right;
    else if (x < b->viewportX())
        code |= Left;
    return code;
}

// a × b / c truncated toward zero; products beyond 64 bits (only from absurd coordinates) are
// approximated instead of overflowing.
int64_t mulDiv(int64_t a, int64_t b, int64_t c)
{
    int64_t product;
    if (__builtin_mul_overflow(a, b, &product))
        return int64_t(static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c));
    return product / c;
}

// Clips the segment to the viewport with outcodes; false when nothing of it is visible.
bool clipLine(const K2DBuffer* b, int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2)
{
    if (b->viewportWidth() <= 0 || b->viewportHeight() <= 0)
        return false;
    const int64_t left = b->viewportX(), right = left + b->viewportWidth() - 1;
    const int64_t top = b->viewportY(), bottom = top + b->viewportHeight() - 1;
    for (int round = 0; round < 8; ++round) {
        int c1 = outcode(b, x1, y1), c2 = outcode(b, x2, y2);
        if (!(c1 | c2))
            return true;
        if (c1 & c2)
            return false;
        const bool first = c1 != 0;
        const int c = first ? c1 : c2;
        int64_t x, y;
        if (c & (Below | Above)) {
            y = (c & Below) ? bottom : top;
            x = x1 + mulDiv(y - y1, x2 - x1, y2 - y1);
        } else {
            x = (c & Right) ? right : left;
            y = y1 + mulDiv(x - x1, y2 - y1, x2 - x1);
        }
        if (first) {
            x1 = x;
            y1 = y;
        } else {
            x2 = x;
            y2 = y;
        }
    }
    return outcode(b, x1, y1) == 0 && outcode(b, x2, y2) == 0;
}
}

KX_STDCALL void Color(int red, int green, int blue)
{
    K2DBuffer* b = cur();
    b->setColor(rgb(red, green, blue));
    if (KXGrDriver2D* d = KXGrDriver2D::current())
        d->setColor(b->color());
}

KX_STDCALL void ClsColor(int red, int green, int blue) { cur()->setClsColor(rgb(red, green, blue)); }

KX_STDCALL void Origin(int x, int y) { cur()->setOrigin(x, y); }

KX_STDCALL void Viewport(int x, int y, int width, int height) { cur()->setViewport(x, y, width, height); }

KX_STDCALL void Cls()
{
    K2DBuffer* b = cur();
    b->graphics()->fillRect(b->viewportX(), b->viewportY(), b->viewportWidth(), b->viewportHeight(), b->clsColor());
}

KX_STDCALL void Plot(int x, int y)
{
    K2DBuffer* b = cur();
    x += b->originX();
    y += b->originY();
    if (inViewport(b, x, y))
        b->graphics()->plot(x, y, b->color());
}

KX_STDCALL void Line(int ax, int ay, int bx, int by)
{
    K2DBuffer* b = cur();
    int64_t x1 = int64_t(ax) + b->originX(), y1 = int64_t(ay) + b->originY();
    int64_t x2 = int64_t(bx) + b->originX(), y2 = int64_t(by) + b->originY();
    if (!clipLine(b, x1, y1, x2, y2))
        return;
    KXGraphics* g = b->graphics();
    if (x1 == x2 && y1 == y2) {
        g->plot(int(x1), int(y1), b->color());
        return;
    }
    KXSurfaceLock l(g);
    if (!l.ok())
        return;
    const int format = l.info().format, bpp = kxpf::bytesPerPixel(format);
    uint8_t value[4] = {};
    kxpf::fromArgb(format, value, b->color());
    if (format == 5 || format == 6 || bpp == 0)
        return;
    // Integer Bresenham along the major axis: major length + 1 pixels, both ends included.
    int x = int(x1), y = int(y1);
    const int dx = int(std::llabs(x2 - x1)), dy = int(std::llabs(y2 - y1));
    const int stepX = x2 > x1 ? 1 : -1, stepY = y2 > y1 ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    int error = major / 2;
    for (int k = 0; k <= major; ++k) {
        uint8_t* p = l.row(y) + x * bpp;
        for (int i = 0; i < bpp; ++i)
            p[i] = value[i];
        error -= minor;
        if (error < 0) {
            error += major;
            if (xMajor)
                y += stepY;
            else
                x += stepX;
        }
        if (xMajor)
            x += stepX;
        else
            y += stepY;
    }
}

KX_STDCALL void Rect(int x, int y, int width, int height, int solid)
{
    K2DBuffer* b = cur();
    if (width <= 0 || height <= 0)
        return;
    x += b->originX();
    y += b->originY();
    const uint32_t c = b->color();
    if (solid) {
        fillClipped(b, x, y, width, height, c);
        return;
    }
    fillClipped(b, x, y, width, 1, c);
    fillClipped(b, x, y + height - 1, width, 1, c);
    fillClipped(b, x, y, 1, height, c);
    fillClipped(b, x + width - 1, y, 1, height, c);
}

KX_STDCALL void Oval(int x, int y, int width, int height, int solid)
{
    K2DBuffer* b = cur();
    if (width <= 0 || height <= 0)
        return;
    x += b->originX();
    y += b->originY();
    const uint32_t c = b->color();
    const double rx = width / 2.0, ry = height / 2.0;
    // Each row's span from the ellipse equation at the row's centre; the outline takes the
    // span ends of every row and of every column, so that steep parts have no gaps.
    auto half = [](double r, double other, double t) {
        double q = 1.0 - (t * t) / (other * other);
        return q <= 0 ? 0.0 : r * std::sqrt(q);
    };
    // Only rows and columns that can reach the viewport are visited.
    const int j0 = int(std::clamp<int64_t>(int64_t(b->viewportY()) - y, 0, height));
    const int j1 = int(std::clamp<int64_t>(int64_t(b->viewportY()) + b->viewportHeight() - y, 0, height));
    const int i0 = int(std::clamp<int64_t>(int64_t(b->viewportX()) - x, 0, width));
    const int i1 = int(std::clamp<int64_t>(int64_t(b->viewportX()) + b->viewportWidth() - x, 0, width));
    for (int j = j0; j < j1; ++j) {
        double h = half(rx, ry, j + 0.5 - ry);
        int x0 = int(std::lround(rx - h)), x1 = int(std::lround(rx + h));
        if (x1 <= x0)
            continue;
        if (solid)
            fillClipped(b, x + x0, y + j, x1 - x0, 1, c);
        else {
            fillClipped(b, x + x0, y + j, 1, 1, c);
            fillClipped(b, x + x1 - 1, y + j, 1, 1, c);
        }
    }
    if (!solid) {
        for (int i = i0; i < i1; ++i) {
            double h = half(ry, rx, i + 0.5 - rx);
            int y0 = int(std::lround(ry - h)), y1 = int(std::lround(ry + h));
            if (y1 <= y0)
                continue;
            fillClipped(b, x + i, y + y0, 1, 1, c);
            fillClipped(b, x + i, y + y1 - 1, 1, 1, c);
        }
    }
}

KX_STDCALL void Text(int x, int y, KXString* text, int centerX, int centerY)
{
    K2DBuffer* b = cur();
    std::string_view s = text ? text->view() : std::string_view();
    const K2DFont& font = b->font() ? *b->font() : K2DFont::builtin();
    x += b->originX();
    y += b->originY();
    if (centerX)
        x -= font.textWidth(s) / 2;
    if (centerY)
        y -= font.height() / 2;
    if (KXGrDriver2D* d = KXGrDriver2D::current())
        d->drawText(b->graphics(), &font, x, y, s, b->color(), b->viewportX(), b->viewportY(), b->viewportWidth(),
            b->viewportHeight());
    else
        font.draw(b->graphics(), x, y, s, b->color(), b->viewportX(), b->viewportY(), b->viewportWidth(), b->viewportHeight());
}

KX_STDCALL void GetColor(int x, int y)
{
    K2DBuffer* b = cur();
    b->setColor(b->read(x, y));
    if (KXGrDriver2D* d = KXGrDriver2D::current())
        d->setColor(b->color());
}

KX_STDCALL int ColorRed() { return int((cur()->color() >> 16) & 0xFF); }
KX_STDCALL int ColorGreen() { return int((cur()->color() >> 8) & 0xFF); }
KX_STDCALL int ColorBlue() { return int(cur()->color() & 0xFF); }

static const K2DFont& currentFont()
{
    K2DBuffer* b = cur();
    return b->font() ? *b->font() : K2DFont::builtin();
}

KX_STDCALL int StringWidth(KXString* s) { return currentFont().textWidth(s ? s->view() : std::string_view()); }
KX_STDCALL int StringHeight(KXString*) { return currentFont().height(); }
KX_STDCALL int FontWidth() { return currentFont().width(); }
KX_STDCALL int FontHeight() { return currentFont().height(); }

static const KXCommandEntry s_commands[] = {
    { "Color%red%green%blue", KX_FN(Color) },
    { "ClsColor%red%green%blue", KX_FN(ClsColor) },
    { "Origin%x%y", KX_FN(Origin) },
    { "Viewport%x%y%width%height", KX_FN(Viewport) },
    { "Cls", KX_FN(Cls) },
    { "Plot%x%y", KX_FN(Plot) },
    { "Line%x1%y1%x2%y2", KX_FN(Line) },
    { "Rect%x%y%width%height%solid=1", KX_FN(Rect) },
    { "Oval%x%y%width%height%solid=1", KX_FN(Oval) },
    { "Text%x%y$text%center_x=0%center_y=0", KX_FN(Text) },
    { "GetColor%x%y", KX_FN(GetColor) },
    { "%ColorRed", KX_FN(ColorRed) },
    { "%ColorGreen", KX_FN(ColorGreen) },
    { "%ColorBlue", KX_FN(ColorBlue) },
    { "%StringWidth$string", KX_FN(StringWidth) },
    { "%StringHeight$string", KX_FN(StringHeight) },
    { "%FontWidth", KX_FN(FontWidth) },
    { "%FontHeight", KX_FN(FontHeight) },
};
static KXCommandTable s_table(s_commands);

// Image commands: creating, loading, copying and freeing images, handles and masks,
// transforms, and drawing images into the current buffer.
#include "core/KXHandle.h"
#include "core/KXString.h"
#include "graphics/GraphicsCommands.h"
#include "graphics/K2DBuffer.h"
#include "graphics/K2DGraphicsDriver.h"
#include "graphics/K2DImage.h"
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixelFormat.h"
#include "graphics/KXPixmap.h"
#include "base/KXCommandTable.h"

#include <algorithm>
#include <cmath>

namespace {
K2DGraphicsDriver& driver() { return K2DGraphicsDriver::instance(); }
K2DImage* image(int handle) { return K2DGraphicsDriver::image(handle); }

// Copies the rectangle (sx, sy, w, h) of a frame to (dx, dy) of the current buffer, clipped to
// its viewport.
void drawClipped(K2DBuffer* frame, int dx, int dy, int sx, int sy, int w, int h, bool masked)
{
    K2DBuffer* b = driver().current();
    const int vx = b->viewportX(), vy = b->viewportY();
    const int vx1 = vx + b->viewportWidth(), vy1 = vy + b->viewportHeight();
    if (dx < vx) {
        sx += vx - dx;
        w -= vx - dx;
        dx = vx;
    }
    if (dy < vy) {
        sy += vy - dy;
        h -= vy - dy;
        dy = vy;
    }
    w = std::min(w, vx1 - dx);
    h = std::min(h, vy1 - dy);
    if (w > 0 && h > 0)
        b->graphics()->copyRect(dx, dy, frame->graphics(), sx, sy, w, h, masked);
}

void drawImage(int handle, int x, int y, int frame, bool masked)
{
    K2DImage* img = image(handle);
    K2DBuffer* b = driver().current();
    drawClipped(img->frame(frame), x - img->handleX() + b->originX(), y - img->handleY() + b->originY(), 0, 0,
        img->width(), img->height(), masked);
}

void drawRect(int handle, int x, int y, int rx, int ry, int rw, int rh, int frame, bool masked)
{
    K2DImage* img = image(handle);
    K2DBuffer* b = driver().current();
    // Only the part of the rectangle inside the image is drawn.
    int x0 = std::max(rx, 0), y0 = std::max(ry, 0);
    int x1 = std::min(int64_t(rx) + rw, int64_t(img->width())), y1 = std::min(int64_t(ry) + rh, int64_t(img->height()));
    if (x1 <= x0 || y1 <= y0)
        return;
    drawClipped(img->frame(frame), x + (x0 - rx) + b->originX(), y + (y0 - ry) + b->originY(), x0, y0, x1 - x0, y1 - y0,
        masked);
}

// Repeats the frame over the whole viewport, one copy placed at (x, y) plus the origin.
void tile(int handle, int x, int y, int frame, bool masked)
{
    K2DImage* img = image(handle);
    K2DBuffer* b = driver().current();
    const int w = img->width(), h = img->height();
    int sx = x + b->originX() - img->handleX(), sy = y + b->originY() - img->handleY();
    auto floorMod = [](int v, int m) { int r = v % m; return r > 0 ? r - m : r; };
    const int startX = b->viewportX() + floorMod(sx - b->viewportX(), w);
    const int startY = b->viewportY() + floorMod(sy - b->viewportY(), h);
    K2DBuffer* f = img->frame(frame);
    for (int ty = startY; ty < b->viewportY() + b->viewportHeight(); ty += h)
        for (int tx = startX; tx < b->viewportX() + b->viewportWidth(); tx += w)
            drawClipped(f, tx, ty, 0, 0, w, h, masked);
}

void transform(int handle, float a, float b, float c, float d)
{
    image(handle)->transform(a, b, c, d, driver().transformFilter());
}
}

KX_STDCALL int LoadImage(KXString* file, int flags)
{
    K2DGraphicsDriver& d = driver();
    KXRef<KXPixmap> picture(KXImageLoader::load(file ? file->view() : std::string_view()));
    if (!picture)
        return 0;
    K2DImage* img = K2DImage::create(picture->width(), picture->height(), 1, flags);
    d.own(img);
    img->frame(0)->graphics()->copyRect(0, 0, picture.get(), 0, 0, picture->width(), picture->height(), false);
    return kxToHandle(img);
}

KX_STDCALL int CreateImage(int width, int height, int frames, int flags)
{
    K2DGraphicsDriver& d = driver();
    K2DImage* img = K2DImage::create(width, height, frames, flags);
    d.own(img);
    return kxToHandle(img);
}

KX_STDCALL int CopyImage(int handle)
{
    K2DImage* img = image(handle)->copy();
    driver().own(img);
    return kxToHandle(img);
}

KX_STDCALL void FreeImage(int handle)
{
    if (handle)
        driver().release(image(handle));
}

KX_STDCALL void MaskImage(int handle, int red, int green, int blue)
{
    image(handle)->setMaskColor((uint32_t(red & 0xFF) << 16) | (uint32_t(green & 0xFF) << 8) | uint32_t(blue & 0xFF));
}

KX_STDCALL void HandleImage(int handle, int x, int y) { image(handle)->setHandle(x, y); }
KX_STDCALL void MidHandle(int handle) { image(handle)->midHandle(); }
KX_STDCALL void AutoMidHandle(int enable) { driver().setAutoMidHandle(enable != 0); }
KX_STDCALL int ImageWidth(int handle) { return image(handle)->width(); }
KX_STDCALL int ImageHeight(int handle) { return image(handle)->height(); }
KX_STDCALL int ImageXHandle(int handle) { return image(handle)->handleX(); }
KX_STDCALL int ImageYHandle(int handle) { return image(handle)->handleY(); }
KX_STDCALL int ImageBuffer(int handle, int frame) { return kxToHandle(image(handle)->frame(frame)); }

KX_STDCALL void SaveImage(int handle, KXString* file, int frame)
{
    KXImageLoader::saveBmp(image(handle)->frame(frame)->graphics(), file ? file->view() : std::string_view());
}

KX_STDCALL void TFormFilter(int enable) { driver().setTransformFilter(enable != 0); }
KX_STDCALL void TFormImage(int handle, float a, float b, float c, float d) { transform(handle, a, b, c, d); }
KX_STDCALL void ScaleImage(int handle, float xscale, float yscale) { transform(handle, xscale, 0, 0, yscale); }

KX_STDCALL void ResizeImage(int handle, float width, float height)
{
    K2DImage* img = image(handle);
    transform(handle, width / float(img->width()), 0, 0, height / float(img->height()));
}

// Positive angles turn clockwise on the screen (y grows downwards).
KX_STDCALL void RotateImage(int handle, float angle)
{
    const float r = angle * 3.14159265358979f / 180.0f;
    const float c = std::cos(r), s = std::sin(r);
    transform(handle, c, -s, s, c);
}

KX_STDCALL void DrawImage(int handle, int x, int y, int frame) { drawImage(handle, x, y, frame, true); }
KX_STDCALL void DrawBlock(int handle, int x, int y, int frame) { drawImage(handle, x, y, frame, false); }
KX_STDCALL void TileImage(int handle, int x, int y, int frame) { tile(handle, x, y, frame, true); }
KX_STDCALL void TileBlock(int handle, int x, int y, int frame) { tile(handle, x, y, frame, false); }

KX_STDCALL void DrawImageRect(int handle, int x, int y, int rx, int ry, int rw, int rh, int frame)
{
    drawRect(handle, x, y, rx, ry, rw, rh, frame, true);
}

KX_STDCALL void DrawBlockRect(int handle, int x, int y, int rx, int ry, int rw, int rh, int frame)
{
    drawRect(handle, x, y, rx, ry, rw, rh, frame, false);
}

// Copies the current buffer's pixels under the image (placed as DrawBlock would place it) into
// the frame.
KX_STDCALL void GrabImage(int handle, int x, int y, int frame)
{
    K2DImage* img = image(handle);
    K2DBuffer* b = driver().current();
    img->frame(frame)->graphics()->copyRect(0, 0, b->graphics(), x - img->handleX() + b->originX(),
        y - img->handleY() + b->originY(), img->width(), img->height(), false);
}

// Loads a picture and cuts count cells of cellwidth × cellheight from it, row by row starting
// at cell first, into the frames of a new image; 0 when the file cannot be read or holds
// fewer cells.
KX_STDCALL int LoadAnimImage(KXString* file, int cellWidth, int cellHeight, int first, int count)
{
    K2DGraphicsDriver& d = driver();
    KXRef<KXPixmap> picture(KXImageLoader::load(file ? file->view() : std::string_view()));
    if (!picture)
        return 0;
    // The cells are counted before any frame is made: a count the picture cannot fill
    // allocates nothing.
    K2DImage::checkParameters(cellWidth, cellHeight, count);
    const int perRow = picture->width() / cellWidth;
    const int rows = picture->height() / cellHeight;
    if (first < 0 || perRow < 1 || int64_t(first) + count > int64_t(perRow) * rows)
        return 0;
    KXRef<K2DImage> img(K2DImage::create(cellWidth, cellHeight, count, 2));
    for (int i = 0; i < count; ++i) {
        const int cell = first + i;
        img->frame(i)->graphics()->copyRect(0, 0, picture.get(), (cell % perRow) * cellWidth, (cell / perRow) * cellHeight,
            cellWidth, cellHeight, false);
    }
    K2DImage* result = img.leak();
    d.own(result);
    return kxToHandle(result);
}

namespace {
struct Box {
    int64_t x0, y0, x1, y1;
};

// Where an image drawn at (x, y) lands, handle applied (no origin: collisions are in the
// program's coordinates).
Box placed(const K2DImage* img, int x, int y)
{
    const int64_t x0 = int64_t(x) - img->handleX(), y0 = int64_t(y) - img->handleY();
    return { x0, y0, x0 + img->width(), y0 + img->height() };
}

bool intersect(const Box& a, const Box& b, Box& out)
{
    out = { std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1) };
    return out.x0 < out.x1 && out.y0 < out.y1;
}

// True when the frame's pixel at (x, y) (frame coordinates, inside) is not its mask colour.
struct Solid {
    explicit Solid(K2DBuffer* frame)
        : lock(frame->graphics())
        , key(kxpf::roundTrip(lock.info().format, frame->graphics()->maskColor()) & 0xFFFFFF)
        , bpp(kxpf::bytesPerPixel(lock.info().format))
    {
    }
    bool at(int x, int y) const
    {
        return lock.ok() && (kxpf::toArgb(lock.info().format, lock.row(y) + x * bpp) & 0xFFFFFF) != key;
    }
    KXSurfaceLock lock;
    uint32_t key;
    int bpp;
};
}

KX_STDCALL int ImagesOverlap(int image1, int x1, int y1, int image2, int x2, int y2)
{
    Box both;
    return intersect(placed(image(image1), x1, y1), placed(image(image2), x2, y2), both) ? 1 : 0;
}

KX_STDCALL int ImageRectOverlap(int handle, int x, int y, int rx, int ry, int rw, int rh)
{
    Box both;
    return intersect(placed(image(handle), x, y), { rx, ry, int64_t(rx) + rw, int64_t(ry) + rh }, both) ? 1 : 0;
}

KX_STDCALL int ImagesCollide(int image1, int x1, int y1, int frame1, int image2, int x2, int y2, int frame2)
{
    K2DImage* a = image(image1);
    K2DImage* b = image(image2);
    const Box pa = placed(a, x1, y1), pb = placed(b, x2, y2);
    Box both;
    if (!intersect(pa, pb, both))
        return 0;
    Solid sa(a->frame(frame1)), sb(b->frame(frame2));
    for (int64_t y = both.y0; y < both.y1; ++y)
        for (int64_t x = both.x0; x < both.x1; ++x)
            if (sa.at(int(x - pa.x0), int(y - pa.y0)) && sb.at(int(x - pb.x0), int(y - pb.y0)))
                return 1;
    return 0;
}

KX_STDCALL int ImageRectCollide(int handle, int x, int y, int frame, int rx, int ry, int rw, int rh)
{
    K2DImage* img = image(handle);
    const Box p = placed(img, x, y);
    Box both;
    if (!intersect(p, { rx, ry, int64_t(rx) + rw, int64_t(ry) + rh }, both))
        return 0;
    Solid s(img->frame(frame));
    for (int64_t yy = both.y0; yy < both.y1; ++yy)
        for (int64_t xx = both.x0; xx < both.x1; ++xx)
            if (s.at(int(xx - p.x0), int(yy - p.y0)))
                return 1;
    return 0;
}

KX_STDCALL int RectsOverlap(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2)
{
    return int64_t(x1) < int64_t(x2) + w2 && int64_t(x2) < int64_t(x1) + w1 && int64_t(y1) < int64_t(y2) + h2
        && int64_t(y2) < int64_t(y1) + h1;
}

static const KXCommandEntry s_commands[] = {
    { "%LoadImage$file%flags=1", KX_FN(LoadImage) },
    { "%CreateImage%width%height%frames=1%flags=2", KX_FN(CreateImage) },
    { "%CopyImage%image", KX_FN(CopyImage) },
    { "FreeImage%image", KX_FN(FreeImage) },
    { "MaskImage%image%red%green%blue", KX_FN(MaskImage) },
    { "HandleImage%image%handle_x%handle_y", KX_FN(HandleImage) },
    { "MidHandle%image", KX_FN(MidHandle) },
    { "AutoMidHandle%enable", KX_FN(AutoMidHandle) },
    { "%ImageWidth%image", KX_FN(ImageWidth) },
    { "%ImageHeight%image", KX_FN(ImageHeight) },
    { "%ImageXHandle%image", KX_FN(ImageXHandle) },
    { "%ImageYHandle%image", KX_FN(ImageYHandle) },
    { "%ImageBuffer%image%frame=0", KX_FN(ImageBuffer) },
    { "SaveImage%image$file%frame=0", KX_FN(SaveImage) },
    { "TFormFilter%enable", KX_FN(TFormFilter) },
    { "TFormImage%image#a#b#c#d", KX_FN(TFormImage) },
    { "ScaleImage%image#xscale#yscale", KX_FN(ScaleImage) },
    { "ResizeImage%image#width#height", KX_FN(ResizeImage) },
    { "RotateImage%image#angle", KX_FN(RotateImage) },
    { "DrawImage%image%x%y%frame=0", KX_FN(DrawImage) },
    { "DrawBlock%image%x%y%frame=0", KX_FN(DrawBlock) },
    { "TileImage%image%x=0%y=0%frame=0", KX_FN(TileImage) },
    { "TileBlock%image%x=0%y=0%frame=0", KX_FN(TileBlock) },
    { "DrawImageRect%image%x%y%rect_x%rect_y%rect_width%rect_height%frame=0", KX_FN(DrawImageRect) },
    { "DrawBlockRect%image%x%y%rect_x%rect_y%rect_width%rect_height%frame=0", KX_FN(DrawBlockRect) },
    { "GrabImage%image%x%y%frame=0", KX_FN(GrabImage) },
    { "%RectsOverlap%x1%y1%width1%height1%x2%y2%width2%height2", KX_FN(RectsOverlap) },
    { "%LoadAnimImage$file%cellwidth%cellheight%first%count", KX_FN(LoadAnimImage) },
    { "%ImagesOverlap%image1%x1%y1%image2%x2%y2", KX_FN(ImagesOverlap) },
    { "%ImagesCollide%image1%x1%y1%frame1%image2%x2%y2%frame2", KX_FN(ImagesCollide) },
    { "%ImageRectOverlap%image%x%y%rect_x%rect_y%rect_width%rect_height", KX_FN(ImageRectOverlap) },
    { "%ImageRectCollide%image%x%y%frame%rect_x%rect_y%rect_width%rect_height", KX_FN(ImageRectCollide) },
};
static KXCommandTable s_table(s_commands);

// Window corner mask: paints the captured window's rounded corners in the mask colour, and with
// Transparent Corners makes those pixels transparent in the bitmaps made from the capture.
#include "pictorra.h"

namespace {

// The pixels the last mask painted, for transparent corners, in the capture's final coordinates
// once keepcorners ran (none when the capture was scaled, or not masked): at most four corners
// of the longest shape.
constexpr int MostPoints = 4 * (5 + 3 + 2 + 1 + 1);
int pointx[MostPoints], pointy[MostPoints];
int points = 0;

void record(int x0, int x1, int y)
{
    for (int x = x0; x <= x1 && points < MostPoints; ++x) {
        pointx[points] = x;
        pointy[points] = y;
        ++points;
    }
}

// Masked run lengths by row from the edge; the last two rows of each are one pixel long and
// drawn as one vertical line.
constexpr int ShapeA[] = { 5, 3, 2, 1, 1 };
constexpr int ShapeB[] = { 4, 2, 1, 1 };

// Paints a corner pair (left and right) of rows runs, at the top (row r at y = r) or at the
// bottom (row r at y = H - 1 - r).
template<int Rows>
void paint(const int (&runs)[Rows], bool bottom)
{
    int w = ImageWidth(screenshot), h = ImageHeight(screenshot);
    SetBuffer(ImageBuffer(screenshot, 0));
    Color(maskred, maskgreen, maskblue);
    auto rowy = [&](int r) { return bottom ? h - 1 - r : r; };
    for (int r = 0; r < Rows - 2; ++r) {
        int n = runs[r], y = rowy(r);
        Line(0, y, n - 1, y);
        Line(w - n, y, w - 1, y);
        record(0, n - 1, y);
        record(w - n, w - 1, y);
    }
    // The one-pixel tip rows.
    Line(0, rowy(Rows - 2), 0, rowy(Rows - 1));
    Line(w - 1, rowy(Rows - 2), w - 1, rowy(Rows - 1));
    for (int r = Rows - 2; r < Rows; ++r) {
        record(0, 0, rowy(r));
        record(w - 1, w - 1, rowy(r));
    }
}

}

// Shapes by system and, on Vista and 7, by the top digit of the captured window's extended
// style. A capture the size of the desktop is never masked.
int drawwindowmask(int style)
{
    points = 0;
    if (ImageWidth(screenshot) == GadgetWidth(Desktop()) && ImageHeight(screenshot) == GadgetHeight(Desktop()))
        return 0;
    if (kxeq(winosversion, txWinXP))
        paint(ShapeA, false);
    if (kxeq(winosversion, txWinVista) || kxeq(winosversion, txWin7)) {
        int digit = int(unsigned(style) >> 28);
        if (digit == 0x2 || digit == 0xE)
            paint(ShapeA, false);
        if (digit == 0x0 || digit == 0xC) {
            paint(ShapeB, false);
            return 0;
        }
        paint(ShapeA, true);
    }
    return 0;
}

void forgetcorners() { points = 0; }

void keepcorners(int maskedwidth, int maskedheight)
{
    int w = ImageWidth(screenshot), h = ImageHeight(screenshot);
    if (w != maskedwidth || h != maskedheight) {
        points = 0;
        return;
    }
    bool flipx = ButtonState(flipscreenx) == 1, flipy = ButtonState(flipscreeny) == 1;
    for (int i = 0; i < points; ++i) {
        if (flipx)
            pointx[i] = w - 1 - pointx[i];
        if (flipy)
            pointy[i] = h - 1 - pointy[i];
    }
}

void cutcorners(void* bitmap, int bits)
{
    if (transparentcorners == 0 || bits != 32 || !bitmap)
        return;
    unsigned w = FreeImage_GetWidth(bitmap), h = FreeImage_GetHeight(bitmap), pitch = FreeImage_GetPitch(bitmap);
    auto* rows = static_cast<unsigned char*>(FreeImage_GetBits(bitmap));
    for (int i = 0; i < points; ++i) {
        unsigned x = unsigned(pointx[i]), y = unsigned(pointy[i]);
        // FreeImage keeps the bottom row first; the alpha byte is each pixel's fourth.
        if (x < w && y < h)
            rows[(h - 1 - y) * pitch + x * 4 + 3] = 0;
    }
}

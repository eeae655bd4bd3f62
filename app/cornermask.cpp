// Window corner mask: paints the captured window's rounded corners in the mask colour.
#include "pictorra.h"

namespace {

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
    }
    // The one-pixel tip rows.
    Line(0, rowy(Rows - 2), 0, rowy(Rows - 1));
    Line(w - 1, rowy(Rows - 2), w - 1, rowy(Rows - 1));
}

}

// Shapes by system and, on Vista and 7, by the top digit of the captured window's extended
// style. A capture the size of the desktop is never masked.
int drawwindowmask(int style)
{
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

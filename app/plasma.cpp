// The About window's plasma: palette and cosine tables, three moving waves, and the renderer
// that shows the plasma through the opaque black parts of the logo.
#include "pictorra.h"

namespace {

constexpr int OpaqueBlack = int(0xFF000000u);

// Nearest integer, halves to even: how the language converts a number to an int. Expressions
// are evaluated at more than single precision before this conversion, as the language's
// compiled code does (so 5 x 0.7f, 3.4999999, gives 3 and not the single-precision 3.5's 4).
int roundnearest(double f)
{
    int i = int(f);
    double fraction = f - double(i);
    if (fraction > 0.5 || (fraction == 0.5 && (i & 1)))
        ++i;
    else if (fraction < -0.5 || (fraction == -0.5 && (i & 1)))
        --i;
    return i;
}

// A new speed and start for a wave whose position ran out of range.
void repick(int& position, int& speed, int& direction, int number)
{
    SeedRnd(MilliSecs());
    speed = roundnearest(double(Rnd(4.0f)) + (number == 3 ? 3.0 : 2.0));
    if (number != 3) {
        if (speed == wave3spe)
            --speed;
    } else if (speed == wave1spe || speed == wave2spe) {
        ++speed;
    }
    if (roundnearest(Rnd(4.0f)) == 0) {
        position = 320;
        direction = 1;
    } else {
        position = 0;
        direction = 0;
    }
}

void movewaveone(int& position, int& speed, int& direction, int number)
{
    if (direction == 0) {
        position += speed;
        if (position >= 320)
            repick(position, speed, direction, number);
    }
    if (direction == 1) {
        position -= speed;
        if (position <= 0)
            repick(position, speed, direction, number);
    }
}

}

void initplasma()
{
    wave1 = wave2 = wave3 = 0;
    wave1dir = wave2dir = wave3dir = 0;
    wave1spe = 2;
    wave2spe = 2;
    wave3spe = 3;
    r.dim(255);
    g.dim(255);
    b.dim(255);
    mrgb.dim(255);
    cosinus.dim(640);

    // Black, rising to a blue-green, falling through blue to black.
    for (int k = 0; k < 64; ++k) {
        r(k) = g(k) = b(k) = 0;
        r(192 + k) = g(192 + k) = b(192 + k) = 0;
        r(64 + k) = 0;
        g(64 + k) = roundnearest(double(k) * double(0.7f));
        b(64 + k) = 3 * k;
        r(128 + k) = 0;
        g(128 + k) = 0;
        b(128 + k) = 192 - 3 * k;
    }
    for (int i = 0; i < 256; ++i)
        mrgb(i) = r(i) * 65536 + g(i) * 256 + b(i);
    for (int i = 0; i <= 640; ++i) {
        float degrees = float(double(i) * double(361.28317f) / 320.0);
        cosinus(i) = roundnearest(double(Cos(degrees)) * 32.0 + 31.5);
    }
    plasmaimage = CreateImage(160, 160, 1, 2);
}

// Renders one frame into the plasma image: the logo, with the plasma in its opaque black pixels.
int plasma(int logo)
{
    movewave();
    SetBuffer(ImageBuffer(plasmaimage, 0));
    Cls();
    DrawImage(logo, 0, 0, 0);
    LockBuffer();
    for (int y = 0; y < 320; y += 2) {
        for (int x = 0; x < 320; x += 2) {
            int c = cosinus(x + wave1) + cosinus(x + y) + cosinus(y + wave2) + cosinus(y + wave3);
            if (c > 255)
                c = 255;
            if (ReadPixelFast(x / 2, y / 2) == OpaqueBlack)
                WritePixelFast(x / 2, y / 2, mrgb(c));
        }
    }
    UnlockBuffer();
    return 0;
}

int movewave()
{
    movewaveone(wave1, wave1spe, wave1dir, 1);
    movewaveone(wave2, wave2spe, wave2dir, 2);
    movewaveone(wave3, wave3spe, wave3dir, 3);
    return 0;
}

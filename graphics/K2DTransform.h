// K2DTransform: the affine transform of an image frame by a 2×2 matrix about the image's
// handle, with nearest or bilinear sampling. Samples outside the source are transparent black.
//
// All geometry is in 32-bit floating point: the four corners relative to the handle are mapped
// by M, the new size spans floor(min) … ceil(max), the new handle is (−minX, −minY), and the
// destination pixel (i, j) samples M⁻¹·(minX + 0.5 + i, minY + 0.5 + j) relative to the handle.
#pragma once

class KXGraphics;
class KXPixmap;

class K2DTransform {
public:
    // Sets up the transform of a width × height picture with handle (hx, hy) by M = (a, b; c, d).
    K2DTransform(float a, float b, float c, float d, int width, int height, int hx, int hy);

    // False when M is singular or not finite, or the result is larger than a surface can be.
    bool isValid() const { return m_valid; }
    int newWidth() const { return m_newW; }
    int newHeight() const { return m_newH; }
    int newHandleX() const { return -m_minX; }
    int newHandleY() const { return -m_minY; }

    // Transforms the surface (which must have the size given above) into a new pixmap of the
    // new size in the source's format (one reference); null when it cannot be made.
    KXPixmap* apply(KXGraphics* source, bool bilinear) const;

private:
    float m_a, m_b, m_c, m_d;
    float m_ia { 0 }, m_ib { 0 }, m_ic { 0 }, m_id { 0 };
    int m_w, m_h, m_hx, m_hy;
    int m_minX { 0 }, m_minY { 0 }, m_newW { 0 }, m_newH { 0 };
    bool m_valid { false };
};

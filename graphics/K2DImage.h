// K2DImage: an off-screen picture of one or more frames of equal size, each a display surface
// with its own buffer, with a handle (the point placed at the drawing position) and a mask
// colour for masked drawing.
//
// Invariants: frameCount() >= 1 and equals the number of frame buffers; every frame's surface
// is width() × height(); each frame buffer is held with one reference.
#pragma once

#include "base/KXResource.h"

#include <cstdint>
#include <vector>

class K2DBuffer;
class KXGraphics;

class K2DImage : public KXResource {
public:
    // A new image (one reference) whose frames are fresh display surfaces (all pixels 0). Raises
    // "Illegal Parameter for CreateImage" when a size or the frame count is not positive. The
    // handle is the middle when AutoMidHandle is on, else (0, 0).
    // Raises "Unable to create image of W x H" when the frames together cannot be held, and
    // "Out of memory" when an allocation fails.
    static K2DImage* create(int width, int height, int frames, int flags);
    // Raises "Illegal Parameter for CreateImage" unless the sizes and frame count are positive.
    static void checkParameters(int width, int height, int frames);
    ~K2DImage() override;
    const char* typeName() const override { return "Image"; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    int handleX() const { return m_handleX; }
    int handleY() const { return m_handleY; }
    int frameCount() const { return int(m_frames.size()); }
    int flags() const { return m_flags; }
    uint32_t maskColor() const { return m_maskColor; }

    // The frame's buffer; raises "Image frame out of range" for a frame that does not exist.
    K2DBuffer* frame(int index) const;

    void setHandle(int x, int y)
    {
        m_handleX = x;
        m_handleY = y;
    }
    // The handle becomes (width / 2, height / 2), truncated toward zero.
    void midHandle() { setHandle(m_width / 2, m_height / 2); }
    // Sets the mask colour of the image and of every frame's surface.
    void setMaskColor(uint32_t rgb);

    // A new image with the same size, frames, flags, handle and mask colour and copies of the
    // frames' pixels (one reference).
    K2DImage* copy() const;

    // Transforms every frame by the matrix (a, b; c, d) about the handle; each frame gets a new
    // buffer over the result, and size and handle become the new ones. Raises "Illegal image
    // transform" for a singular matrix or a result too large to hold.
    void transform(float a, float b, float c, float d, bool bilinear);

private:
    K2DImage() = default;

    std::vector<K2DBuffer*> m_frames;
    int m_width { 0 };
    int m_height { 0 };
    int m_handleX { 0 };
    int m_handleY { 0 };
    int m_flags { 0 };
    uint32_t m_maskColor { 0 };
};

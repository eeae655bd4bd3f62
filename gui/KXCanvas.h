// KXCanvas: a group gadget with a back buffer that programs draw into through its buffer
// (CanvasBuffer); nothing reaches the screen until flip copies the back buffer there.
//
// Invariants: after attachBackBuffer the canvas holds one reference to its buffer, which holds
// the back buffer; the back buffer keeps the size it was made with.
#pragma once

#include "graphics/K2DBuffer.h"
#include "gui/KXGroup.h"

class KXCanvas : public KXGroup {
public:
    KXCanvas(KXGroup* group, int style);
    ~KXCanvas() override;

    // The drawing buffer over the back buffer (null before attachBackBuffer).
    K2DBuffer* buffer() const { return m_buffer; }
    KXGraphics* backBuffer() const { return m_buffer ? m_buffer->graphics() : nullptr; }
    // Copies the back buffer to the screen; vwait waits for the display's vertical blank first.
    virtual void flip(bool vwait);
    const char* typeName() const override { return "Canvas Gadget"; }

    // Makes the drawing buffer over back and clears back to opaque black, shows it, and clears it
    // again, so that a new canvas shows black and its buffer reads black.
    void attachBackBuffer(KXGraphics* back);

protected:
    // Shows back (the whole back buffer) in the native canvas.
    virtual void nativeFlip(KXGraphics* back, bool vwait) = 0;

private:
    K2DBuffer* m_buffer { nullptr }; // one reference held
};

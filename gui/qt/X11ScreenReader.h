// X11ScreenReader: reads rectangles of the root window (what the screen shows) and converts them
// to a pixel format code in one pass. Uses MIT-SHM where the server offers it, through one shared
// memory segment kept between reads and grown when a read needs more; otherwise, or when a shared
// read fails, XGetImage. Large reads go in bands of rows (BandBytes each), so the segment stays
// small: a capture holds the screen's pixels once, in its own image.
//
// Any TrueColor visual reads correctly; the 32-bit x-8-8-8 and 16-bit 5-6-5 layouts that X servers
// use have fast paths.
#pragma once

#include "gui/KXWindow.h"

#include <cstddef>
#include <cstdint>

typedef struct _XDisplay Display;
struct _XImage;

class X11ScreenReader {
public:
    explicit X11ScreenReader(Display* display);
    ~X11ScreenReader();
    X11ScreenReader(const X11ScreenReader&) = delete;
    X11ScreenReader& operator=(const X11ScreenReader&) = delete;

    int width() const;
    int height() const;
    // Reads rect (inside the screen, else false) into dst: rows of pitch bytes in pixel format
    // code format (1..4, 7). Format 7 pixels are opaque. False, dst unchanged, when the rectangle
    // or format is not valid or the server would not give the pixels (a server failure after
    // the first band may leave the rows before it written).
    bool read(const KXRect& rect, uint8_t* dst, int pitch, int format);
    // Whether reads go through shared memory (false after a shared read failed).
    bool usesSharedMemory() const { return m_useShm; }

    // The most bytes one band of a read spans.
    static constexpr size_t BandBytes = size_t(4) << 20;

private:
    // One band: through shared memory (shared set) or, when that fails, XGetImage; null on failure.
    _XImage* readBand(const KXRect& rect, bool& shared);
    _XImage* readShared(const KXRect& rect);
    bool ensureSegment(size_t bytes);
    void dropSegment();

    Display* m_display;
    bool m_useShm { false };
    // The shared segment: its id, address, size and whether the server has attached it.
    int m_shmId { -1 };
    void* m_shmAddr { nullptr };
    size_t m_shmSize { 0 };
    unsigned long m_shmSeg { 0 };
};

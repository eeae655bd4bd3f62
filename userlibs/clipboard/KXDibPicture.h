// KXDibPicture: conversions between device-independent bitmaps (a BITMAPINFOHEADER and its
// pixel rows) and the desktop clipboard's pictures.
#pragma once

#include "gui/KXDesktopServices.h"

#include <cstddef>
#include <cstdint>

class KXDibPicture {
public:
    // The picture of a DIB of 16, 24 or 32 bits per pixel (BI_RGB, or BI_BITFIELDS with its
    // masks after a 40-byte header or inside a longer one), rows bottom-up for a positive height
    // and top-down for a negative one, each padded to 4 bytes. The fourth byte of 32-bit BI_RGB
    // pixels is their alpha when it varies across the picture; all 0 or all 255, as most
    // programs leave it, gives an opaque picture (as do every other depth and BI_BITFIELDS). False, out untouched, when the header is not such a
    // DIB or size holds fewer bytes than its rows.
    static bool fromDib(const uint8_t* header, const uint8_t* bits, size_t size, KXClipPicture& out);

    // The rows the clipboard library hands out: 32 bits per pixel, bytes blue, green, red,
    // alpha, width * 4 bytes a row without padding, the picture's bottom row first.
    static size_t rowsSize(const KXClipPicture& picture) { return size_t(picture.width) * 4 * size_t(picture.height); }
    static void toRows(const KXClipPicture& picture, uint8_t* dst);
};

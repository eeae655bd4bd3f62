// KXBmpDecoder: reads BMP files of every common variant into memory pixmaps: the 12-byte core
// header, the 40-byte info header and its 52-, 56-, 108- and 124-byte extensions (and the OS/2
// 2.x header); 1-, 2-, 4- and 8-bit palettes, 16- and 32-bit pixels with default or explicit
// channel masks, 24-bit pixels; RLE8 and RLE4 compression; rows bottom-up or top-down.
//
// Every offset and count comes from the file, so each is checked against the bytes that are
// there before it is used: a malformed file fails cleanly and never reads outside its data.
#pragma once

#include <cstddef>
#include <cstdint>

class KXPixmap;

class KXBmpDecoder {
public:
    // A new format-4 pixmap (one reference), fully opaque, from the whole file's bytes; null
    // when they are not a BMP this decoder reads (other compressions, such as embedded JPEG or
    // PNG data, included) or the picture is too large to hold.
    static KXPixmap* decode(const uint8_t* data, size_t size);
};

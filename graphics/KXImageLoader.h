// KXImageLoader: reads BMP, PNG and JPEG files into memory pixmaps, and writes surfaces as BMP.
//
// The decoder is chosen by the text after the last full stop of the file's name (the part after
// the last separator), compared without regard to case: "jpg" and "jpeg" are JPEG, "png" is PNG,
// anything else is BMP; a name without a full stop is not loaded. Paths may use "\" or "/".
#pragma once

#include <string>
#include <string_view>

class KXGraphics;
class KXPixmap;

class KXImageLoader {
public:
    // A new format-4 pixmap (one reference) holding the picture, fully opaque; null when the
    // file is missing, unreadable or not a picture of the chosen kind.
    static KXPixmap* load(std::string_view path);
    // Writes the surface as an uncompressed 24-bit BMP; false when the file cannot be created
    // or written. The file appears whole or not at all (core/KXAtomicFile.h).
    static bool saveBmp(KXGraphics* surface, std::string_view path);
    // The path with every "\" turned into "/".
    static std::string systemPath(std::string_view path);
};

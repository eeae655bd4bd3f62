// K2DFont: the built-in 8 × 14 bitmap font that text drawing uses when no other font is set.
// Glyphs cover the printable ASCII characters; any other byte draws as '?'.
#pragma once

#include <cstdint>
#include <string_view>

class KXGraphics;

class K2DFont {
public:
    static constexpr int CellWidth = 8;
    static constexpr int CellHeight = 14;

    // The one built-in font.
    static const K2DFont& builtin();

    int width() const { return CellWidth; }
    int height() const { return CellHeight; }
    int textWidth(std::string_view text) const { return int(text.size()) * CellWidth; }
    // Draws the text with its top-left corner at (x, y), set pixels in the colour, clipped to
    // the rectangle (cx, cy, cw, ch) of the surface.
    void draw(KXGraphics* g, int x, int y, std::string_view text, uint32_t argb, int cx, int cy, int cw, int ch) const;
    // The glyph rows of a character, top row first; bit 7 is the leftmost pixel.
    const uint8_t* glyph(unsigned char c) const;
};

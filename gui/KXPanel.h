// KXPanel: a plain group with an optional frame and a background: a solid colour, a bitmap
// tiled from the top-left corner, or (with neither) the platform's default background.
//
// Invariants: at most one of the colour and the bitmap is set.
#pragma once

#include "base/KXObject.h"
#include "graphics/KXPixmap.h"
#include "gui/KXGroup.h"

#include <cstdint>
#include <string_view>

class KXPanel : public KXGroup {
public:
    // Style bits. Append-only.
    enum Style : int { Border = 1 };

    KXPanel(KXGroup* group, int style);

    // Loads the image file; when it loads, it replaces any background and the panel repaints.
    // A file that does not load changes nothing (no error). Answers whether it loaded.
    virtual bool setImage(std::string_view path);
    // Drops any background and fills with the colour; each channel counts modulo 256.
    virtual void setColor(int red, int green, int blue);

    bool hasImage() const { return bool(m_image); }
    KXPixmap* image() const { return m_image.get(); }
    int imageWidth() const { return m_image ? m_image->width() : 0; }
    int imageHeight() const { return m_image ? m_image->height() : 0; }
    bool hasColor() const { return m_hasColor; }
    // The background colour as 0x00RRGGBB.
    uint32_t color() const { return m_color; }
    bool hasBorder() const { return style() & Border; }
    const char* typeName() const override { return "Panel Gadget"; }

    // Erases target (the panel's client area, or any surface standing for it) with the
    // background: the bitmap tiled in rows from the top, left to right, or the colour. Answers
    // false, drawing nothing, when neither is set (the platform draws its default).
    bool paintBackground(KXGraphics* target) const;

protected:
    // The background changed: the native panel redraws.
    virtual void nativeRepaint() = 0;

private:
    KXRef<KXPixmap> m_image;
    bool m_hasColor { false };
    uint32_t m_color { 0 };
};

// KXIconStrip: a row of equally sized item icons that list-type gadgets may show: square cells
// side by side in one picture, icon 0 at the left.
//
// Invariants: iconSize() > 0 and count() >= 0 for a strip with pictures; its picture is 32-bit
// and at least count() * iconSize() pixels wide and iconSize() high.
#pragma once

#include "base/KXResource.h"
#include "graphics/KXPixmap.h"

#include <cstdint>
#include <vector>

class KXIconStrip : public KXResource {
public:
    // A strip that only describes its cells (no pictures to show).
    KXIconStrip(int iconSize, int count)
        : m_iconSize(iconSize)
        , m_count(count)
    {
    }
    // A strip of the icons in picture (one reference, for the caller): cells as high as the
    // picture, as many as fit across it. The strip keeps a reference to the picture. Null when
    // picture is null, is not a 32-bit picture, or is narrower than it is high.
    static KXIconStrip* create(KXPixmap* picture);

    int iconSize() const { return m_iconSize; }
    int count() const { return m_count; }
    bool hasPictures() const { return bool(m_picture); }
    // Icon index as opaque ARGB values, iconSize() rows of iconSize(), top row first. False,
    // leaving argb as it was, for an index outside the strip or a strip without pictures.
    bool iconPixels(int index, std::vector<uint32_t>& argb) const;
    const char* typeName() const override { return "IconStrip"; }

private:
    int m_iconSize;
    int m_count;
    KXRef<KXPixmap> m_picture;
};

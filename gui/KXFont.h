// KXFont: a font the GUI and the 2D drawing use; backends derive to hold native fonts.
#pragma once

#include "base/KXResource.h"

#include <string>

class KXFont : public KXResource {
public:
    // Style bits, as FontStyle reports them. Append-only.
    enum Style : int { Bold = 1,
        Italic = 2,
        Underline = 4 };

    KXFont(std::string name, int height, int style)
        : m_name(std::move(name))
        , m_height(height)
        , m_style(style)
    {
    }
    const std::string& name() const { return m_name; }
    int height() const { return m_height; }
    int style() const { return m_style; }
    // Pixels above and below the base line; the neutral split is four fifths above.
    virtual int ascent() const { return m_height - descent(); }
    virtual int descent() const { return m_height / 5; }
    const char* typeName() const override { return "Font"; }

private:
    std::string m_name;
    int m_height;
    int m_style;
};

// QtFont: a font on the Qt platform, with the metrics Qt measures for it.
#pragma once

#include "gui/KXFont.h"

#include <QFont>

class QtFont final : public KXFont {
public:
    // height in pixels; style bits as KXFont::Style.
    QtFont(const std::string& name, int height, int style);
    const QFont& qfont() const { return m_font; }
    int ascent() const override { return m_ascent; }
    int descent() const override { return m_descent; }

private:
    QFont m_font;
    int m_ascent { 0 };
    int m_descent { 0 };
};

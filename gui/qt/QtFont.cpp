// Qt fonts.
#include "gui/qt/QtFont.h"

#include "gui/qt/QtText.h"

#include <QFontMetrics>

QtFont::QtFont(const std::string& name, int height, int style)
    : KXFont(name, height, style)
    , m_font(QtText::toQt(name))
{
    m_font.setPixelSize(height);
    m_font.setBold(style & Bold);
    m_font.setItalic(style & Italic);
    m_font.setUnderline(style & Underline);
    QFontMetrics metrics(m_font);
    m_ascent = metrics.ascent();
    m_descent = metrics.descent();
}

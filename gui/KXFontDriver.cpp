// The font driver's neutral half.
#include "gui/KXFontDriver.h"

#include "base/KXResource.h"

KXFontDriver::KXFontDriver(const char* name, KXPlatform platform)
    : KXDriver(name, nullptr, nullptr, platform)
{
}

KXFontDriver::~KXFontDriver() = default;

void KXFontDriver::stopping()
{
    m_default = KXRef<KXFont>();
}

KXFont* KXFontDriver::defaultFont()
{
    if (!m_default)
        m_default = KXRef<KXFont>(makeDefaultFont());
    return m_default.get();
}

KXFont* KXFontDriver::createFont(const std::string& name, int height, int style)
{
    KXFont* font = makeFont(name, height, style);
    if (font)
        resources()->adopt(font);
    return font;
}

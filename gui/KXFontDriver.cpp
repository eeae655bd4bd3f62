// The font driver's neutral half.
#include "gui/KXFontDriver.h"

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
        m_default = KXRef<KXFont>(createDefaultFont());
    return m_default.get();
}

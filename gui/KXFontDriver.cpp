// The font driver's neutral half.
#include "gui/KXFontDriver.h"

KXFontDriver::KXFontDriver(const char* name, KXPlatform platform)
    : KXModule(name, nullptr, nullptr, platform)
{
}

KXFontDriver::~KXFontDriver()
{
    if (s_current == this)
        s_current = nullptr;
}

bool KXFontDriver::startup()
{
    s_current = this;
    return true;
}

void KXFontDriver::shutdown()
{
    m_default = KXRef<KXFont>();
    if (s_current == this)
        s_current = nullptr;
}

KXFont* KXFontDriver::defaultFont()
{
    if (!m_default)
        m_default = KXRef<KXFont>(createDefaultFont());
    return m_default.get();
}

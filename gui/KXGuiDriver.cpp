// The GUI driver's neutral half: start-up order and the desktop.
#include "gui/KXGuiDriver.h"

#include "base/KXResource.h"
#include "gui/KXDesktopServices.h"
#include "gui/KXFontDriver.h"

KXGuiDriver::KXGuiDriver(const char* name, KXPlatform platform)
    : KXDriver(name, "Gui", "Native", platform)
{
}

KXGuiDriver::~KXGuiDriver() = default;

bool KXGuiDriver::started()
{
    m_desktop = own(makeDesktop());
    if (!m_desktop)
        return false;
    KXDesktopServices::install(desktopServices());
    return true;
}

void KXGuiDriver::stopping()
{
    // The resources (desktop included) were released before shutdown ran.
    m_desktop = nullptr;
    KXDesktopServices::install(nullptr);
    KXWindow::setActive(nullptr);
}

KXFont* KXGuiDriver::defaultFont() const
{
    KXFontDriver* fonts = KXFontDriver::current();
    return fonts ? fonts->defaultFont() : nullptr;
}

// The headless desktop gadget.
#include "gui/headless/HeadlessDesktop.h"

#include "gui/headless/HeadlessSystem.h"

HeadlessDesktop::HeadlessDesktop()
{
    HeadlessSystem& sys = HeadlessSystem::instance();
    KXDesktop::setShape(0, 0, sys.world().desktopWidth(), sys.world().desktopHeight());
    setVisible(true);
}

void HeadlessDesktop::setShape(int x, int y, int width, int height)
{
    HeadlessSystem::log().record("Desktop %d %d %d %d", x, y, width, height);
    KXDesktop::setShape(x, y, width, height);
}

// HeadlessScreenDriver: the headless screen, the virtual desktop of HeadlessScreen.
#include "graphics/KXScreenDriver.h"
#include "graphics/headless/HeadlessDesktopSurface.h"
#include "graphics/headless/HeadlessScreen.h"
#include "gui/headless/HeadlessModules.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessScreenDriver final : public KXScreenDriver {
public:
    HeadlessScreenDriver()
        : KXScreenDriver(KXModuleNames::HeadlessScreenDriver, KXConfigs::DirectDraw, KXPlatform::Headless)
    {
    }
    int desktopWidth() const override { return HeadlessScreen::instance().width(); }
    int desktopHeight() const override { return HeadlessScreen::instance().height(); }
    KXGraphics* makeDesktopSurface() override { return new HeadlessDesktopSurface(HeadlessScreen::instance()); }

protected:
    bool startDependencies() override { return HeadlessModules::startDependencies(name()); }
} s_driver;
}

// QtScreenDriver: the X screen as the desktop; its refresh rate is the one the X server reports.
#include "graphics/KXScreenDriver.h"
#include "graphics/qt/QtDesktopSurface.h"
#include "gui/qt/QtEventLoop.h"
#include "gui/qt/QtModules.h"
#include "base/KXModuleNames.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
class QtScreenDriver final : public KXScreenDriver {
public:
    QtScreenDriver()
        : KXScreenDriver(KXModuleNames::QtScreenDriver, KXConfigs::DirectDraw, KXPlatform::Qt)
    {
    }
    int desktopWidth() const override { return QGuiApplication::primaryScreen()->virtualGeometry().width(); }
    int desktopHeight() const override { return QGuiApplication::primaryScreen()->virtualGeometry().height(); }
    KXGraphics* makeDesktopSurface() override { return new QtDesktopSurface(desktopWidth(), desktopHeight()); }
    double refreshRate() const override
    {
        double hz = QGuiApplication::primaryScreen()->refreshRate();
        return hz >= 1.0 ? hz : KXScreenDriver::refreshRate();
    }

protected:
    bool startDependencies() override
    {
        QtEventLoop::instance();
        return QtModules::startDependencies(name());
    }
} s_driver;
}

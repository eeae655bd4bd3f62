// QtDD: the display driver of the Qt platform. Its surfaces are memory pixmaps in the display
// format, which is 32-bit (code 4) on the 24- and 32-bit X screens Qt draws on.
#include "graphics/KXPixmap.h"
#include "graphics/KXSurfaceDriver.h"
#include "gui/qt/QtEventLoop.h"
#include "gui/qt/QtModules.h"
#include "base/KXModuleNames.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
class QtDD final : public KXSurfaceDriver {
public:
    QtDD()
        : KXSurfaceDriver(KXModuleNames::QtDD, KXConfigs::DirectDraw, KXPlatform::Qt)
    {
    }
    int displayFormat() const override { return m_format; }

protected:
    bool startDependencies() override
    {
        QtEventLoop::instance();
        // 15- and 16-bit screens have their own layouts; every deeper one is drawn from 32 bits.
        int depth = QGuiApplication::primaryScreen()->depth();
        m_format = depth == 16 ? 1 : depth == 15 ? 2
                                                 : 4;
        return QtModules::startDependencies(name());
    }
    KXGraphics* makeSurface(int width, int height, int format, int) override
    {
        return KXPixmap::create(width, height, format);
    }

private:
    int m_format { 4 };
} s_driver;
}

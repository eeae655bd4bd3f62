// QtCanvasDriver: canvases on the Qt platform, with back buffers on the Qt display driver's
// surfaces.
#include "gui/KXCanvasDriver.h"
#include "gui/qt/QtCanvas.h"
#include "gui/qt/QtModules.h"
#include "base/KXModuleNames.h"

namespace {
class QtCanvasDriver final : public KXCanvasDriver {
public:
    QtCanvasDriver()
        : KXCanvasDriver(KXModuleNames::QtCanvasDriver, KXConfigs::DirectDraw, KXPlatform::Qt)
    {
    }

protected:
    bool startDependencies() override { return QtModules::startDependencies(name()); }
    KXCanvas* makeCanvas(KXGroup* group, int style) override { return new QtCanvas(group, style); }
} s_driver;
}

// HeadlessCanvasDriver: canvases on the headless platform, with back buffers on the headless
// display driver's surfaces.
#include "gui/KXCanvasDriver.h"
#include "gui/headless/HeadlessCanvas.h"
#include "gui/headless/HeadlessModules.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessCanvasDriver final : public KXCanvasDriver {
public:
    HeadlessCanvasDriver()
        : KXCanvasDriver(KXModuleNames::HeadlessCanvasDriver, KXConfigs::DirectDraw, KXPlatform::Headless)
    {
    }

protected:
    bool startDependencies() override { return HeadlessModules::startDependencies(name()); }
    KXCanvas* makeCanvas(KXGroup* group, int style) override { return new HeadlessCanvas(group, style); }
} s_driver;
}

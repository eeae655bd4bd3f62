// HeadlessCanvasDriver: canvases on the headless platform, with back buffers on the headless
// display driver's surfaces.
#include "gui/KXCanvasDriver.h"
#include "gui/headless/HeadlessCanvas.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessCanvasDriver final : public KXCanvasDriver {
public:
    HeadlessCanvasDriver()
        : KXCanvasDriver(KXModuleNames::HeadlessCanvasDriver, KXConfigs::DirectDraw, KXPlatform::Headless)
    {
    }

protected:
    bool startDependencies() override { return kxStartSubsystem(KXSubsystems::Gui) && kxStartSubsystem(KXSubsystems::Graphics); }
    KXCanvas* makeCanvas(KXGroup* group, int style) override { return new HeadlessCanvas(group, style); }
} s_driver;
}

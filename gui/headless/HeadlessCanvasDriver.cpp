// HeadlessCanvasDriver: canvases on the headless platform, with back buffers on the headless
// display driver's surfaces.
#include "gui/KXCanvasDriver.h"
#include "gui/headless/HeadlessCanvas.h"
#include "runtime/KXModuleDependencies.h"

namespace {
class HeadlessCanvasDriver final : public KXCanvasDriver {
public:
    HeadlessCanvasDriver()
        : KXCanvasDriver("HeadlessCanvasDriver", "DirectDraw", KXPlatform::Headless)
    {
    }

protected:
    bool startDependencies() override { return kxStartSubsystem("Gui") && kxStartSubsystem("Graphics"); }
    KXCanvas* makeCanvas(KXGroup* group, int style) override { return new HeadlessCanvas(group, style); }
} s_driver;
}

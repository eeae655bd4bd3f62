// The headless canvas driver module and its start-up dependency. The other drivers have files
// of their own.
#include "runtime/KXModule.h"
#include "runtime/KXModuleDependencies.h"

namespace {
constexpr KXPlatform P = KXPlatform::Headless;

class CanvasDriver final : public KXModule {
public:
    CanvasDriver() : KXModule("HeadlessCanvasDriver", "Canvas", "DirectDraw", P) { }
    bool startup() override { return kxStartSubsystem("Gui"); }
} s_canvasDriver;
}

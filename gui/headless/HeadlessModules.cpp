// The headless platform's driver modules and their start-up dependencies.
#include "runtime/KXModule.h"
#include "runtime/KXModuleDependencies.h"

namespace {
constexpr KXPlatform P = KXPlatform::Headless;

KXModule s_catchFilter("HeadlessCatchFilter", nullptr, nullptr, P);
KXModule s_eventDriver("HeadlessEventDriver", nullptr, nullptr, P);
KXModule s_fontDriver("HeadlessFontDriver", nullptr, nullptr, P);
KXModule s_timerDriver("HeadlessTimerDriver", nullptr, nullptr, P);

class GuiDriver final : public KXModule {
public:
    GuiDriver() : KXModule("HeadlessGuiDriver", "Gui", "Native", P) { }
    bool startup() override { return kxStartSubsystem("Screen"); }
} s_guiDriver;

class CanvasDriver final : public KXModule {
public:
    CanvasDriver() : KXModule("HeadlessCanvasDriver", "Canvas", "DirectDraw", P) { }
    bool startup() override { return kxStartSubsystem("Gui"); }
} s_canvasDriver;
}

// The Qt platform's driver modules and their start-up dependencies.
#include "runtime/KXModule.h"
#include "runtime/KXModuleDependencies.h"

namespace {
constexpr KXPlatform P = KXPlatform::Qt;

KXModule s_catchFilter("QtCatchFilter", nullptr, nullptr, P);
KXModule s_eventDriver("QtEventDriver", nullptr, nullptr, P);
KXModule s_fontDriver("QtFontDriver", nullptr, nullptr, P);
KXModule s_timerDriver("QtTimerDriver", nullptr, nullptr, P);

class GuiDriver final : public KXModule {
public:
    GuiDriver() : KXModule("QtGuiDriver", "Gui", "Native", P) { }
    bool startup() override { return kxStartSubsystem("Screen"); }
} s_guiDriver;

class Surfaces final : public KXModule {
public:
    Surfaces() : KXModule("QtDD", "Graphics", "DirectDraw", P) { }
} s_surfaces;

class ScreenDriver final : public KXModule {
public:
    ScreenDriver() : KXModule("QtScreenDriver", "Screen", "DirectDraw", P) { }
    bool startup() override { return kxStartModule("QtDD"); }
} s_screenDriver;

class CanvasDriver final : public KXModule {
public:
    CanvasDriver() : KXModule("QtCanvasDriver", "Canvas", "DirectDraw", P) { }
    bool startup() override { return kxStartSubsystem("Gui"); }
} s_canvasDriver;

class GrDriver2D final : public KXModule {
public:
    GrDriver2D() : KXModule("QtGrDriver2D", "GrDriver2D", "DirectDraw", P) { }
    bool startup() override { return kxStartModule("QtDD") && kxStartModule("QtFontDriver"); }
} s_grDriver2D;
}

// The headless platform's graphics driver modules and their start-up dependencies. The GUI,
// event, catch-filter, timer and font drivers have files of their own.
#include "runtime/KXModule.h"
#include "runtime/KXModuleDependencies.h"

namespace {
constexpr KXPlatform P = KXPlatform::Headless;

class Surfaces final : public KXModule {
public:
    Surfaces() : KXModule("HeadlessDD", "Graphics", "DirectDraw", P) { }
} s_surfaces;

class ScreenDriver final : public KXModule {
public:
    ScreenDriver() : KXModule("HeadlessScreenDriver", "Screen", "DirectDraw", P) { }
    bool startup() override { return kxStartModule("HeadlessDD"); }
} s_screenDriver;

class CanvasDriver final : public KXModule {
public:
    CanvasDriver() : KXModule("HeadlessCanvasDriver", "Canvas", "DirectDraw", P) { }
    bool startup() override { return kxStartSubsystem("Gui"); }
} s_canvasDriver;

class GrDriver2D final : public KXModule {
public:
    GrDriver2D() : KXModule("HeadlessGrDriver2D", "GrDriver2D", "DirectDraw", P) { }
    bool startup() override { return kxStartModule("HeadlessDD") && kxStartModule("HeadlessFontDriver"); }
} s_grDriver2D;
}

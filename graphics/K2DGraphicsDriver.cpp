// K2DGraphicsDriver: the 2D command set, over the screen and 2D drawing drivers.
#include "runtime/KXModule.h"
#include "runtime/KXModuleDependencies.h"

namespace {
class K2DGraphicsDriver final : public KXModule {
public:
    K2DGraphicsDriver() : KXModule("K2DGraphicsDriver", "Graphics") { }
    bool startup() override { return kxStartSubsystem("Screen") && kxStartSubsystem("GrDriver2D"); }
} s_driver;
}

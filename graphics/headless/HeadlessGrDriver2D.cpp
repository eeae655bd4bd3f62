// HeadlessGrDriver2D: the headless 2D drawing context; it draws with the neutral software
// routines.
#include "graphics/KXGrDriver2D.h"
#include "gui/headless/HeadlessModules.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessGrDriver2D final : public KXGrDriver2D {
public:
    HeadlessGrDriver2D()
        : KXGrDriver2D(KXModuleNames::HeadlessGrDriver2D, KXConfigs::DirectDraw, KXPlatform::Headless)
    {
    }

protected:
    bool startDependencies() override { return HeadlessModules::startDependencies(name()); }
} s_driver;
}

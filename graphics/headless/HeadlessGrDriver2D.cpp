// HeadlessGrDriver2D: the headless 2D drawing context; it draws with the neutral software
// routines.
#include "graphics/KXGrDriver2D.h"
#include "runtime/KXModuleDependencies.h"

namespace {
class HeadlessGrDriver2D final : public KXGrDriver2D {
public:
    HeadlessGrDriver2D()
        : KXGrDriver2D("HeadlessGrDriver2D", "DirectDraw", KXPlatform::Headless)
    {
    }

protected:
    bool startDriver() override { return kxStartModule("HeadlessDD") && kxStartModule("HeadlessFontDriver"); }
} s_driver;
}

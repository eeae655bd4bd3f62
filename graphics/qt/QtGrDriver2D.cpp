// QtGrDriver2D: the Qt platform's 2D drawing context; it draws with the neutral software
// routines on the display driver's memory surfaces.
#include "graphics/KXGrDriver2D.h"
#include "gui/qt/QtModules.h"
#include "base/KXModuleNames.h"

namespace {
class QtGrDriver2D final : public KXGrDriver2D {
public:
    QtGrDriver2D()
        : KXGrDriver2D(KXModuleNames::QtGrDriver2D, KXConfigs::DirectDraw, KXPlatform::Qt)
    {
    }

protected:
    bool startDependencies() override { return QtModules::startDependencies(name()); }
} s_driver;
}

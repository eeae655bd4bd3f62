// QtTimerDriver: makes Qt timers.
#include "gui/KXTimerDriver.h"

#include "gui/qt/QtTimer.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

namespace {
class QtTimerDriver final : public KXTimerDriver {
public:
    QtTimerDriver()
        : KXTimerDriver(KXModuleNames::QtTimerDriver, KXPlatform::Qt)
    {
    }

protected:
    bool startDependencies() override { return kxStartModule(KXModuleNames::QtEventDriver); }
    KXTimer* newTimer(int periodMs) override { return new QtTimer(periodMs); }
} s_timerDriver;
}

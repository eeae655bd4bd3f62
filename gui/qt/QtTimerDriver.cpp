// QtTimerDriver: makes Qt timers.
#include "gui/KXTimerDriver.h"

#include "gui/qt/QtModules.h"
#include "gui/qt/QtTimer.h"
#include "base/KXModuleNames.h"

namespace {
class QtTimerDriver final : public KXTimerDriver {
public:
    QtTimerDriver()
        : KXTimerDriver(KXModuleNames::QtTimerDriver, KXPlatform::Qt)
    {
    }

protected:
    bool startDependencies() override { return QtModules::startDependencies(name()); }
    KXTimer* makeTimer(int periodMs) override { return new QtTimer(periodMs); }
} s_timerDriver;
}

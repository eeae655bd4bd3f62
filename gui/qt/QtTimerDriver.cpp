// QtTimerDriver: makes Qt timers.
#include "gui/KXTimerDriver.h"

#include "gui/qt/QtTimer.h"
#include "runtime/KXModuleDependencies.h"

namespace {
class QtTimerDriver final : public KXTimerDriver {
public:
    QtTimerDriver()
        : KXTimerDriver("QtTimerDriver", KXPlatform::Qt)
    {
    }

protected:
    bool startDependencies() override { return kxStartModule("QtEventDriver"); }
    KXTimer* newTimer(int periodMs) override { return new QtTimer(periodMs); }
} s_timerDriver;
}
